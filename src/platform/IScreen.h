#pragma once

#include <QSize>

// Size of the primary screen in pixels.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual QSize size() = 0;
};
