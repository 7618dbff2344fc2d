#pragma once

#include "platform/IClipboard.h"

class QtClipboard : public IClipboard {
public:
    bool setText(const QString& text) override;
    bool hasText() override;
    QString text() override;
};
