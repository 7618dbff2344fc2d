#pragma once

#include "platform/IScreen.h"

class QtScreen : public IScreen {
public:
    QSize size() override;
};
