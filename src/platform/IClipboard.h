#pragma once

#include <QString>

// Plain-text clipboard.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool setText(const QString& text) = 0;
    virtual bool hasText() = 0;
    virtual QString text() = 0;
};
