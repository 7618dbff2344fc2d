// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/IClipboard.h"

class QtClipboard : public IClipboard {
public:
    bool setText(const QString& text) override;
    bool hasText() override;
    QString text() override;
    // Another X client's text is fetched through a connection of its own:
    // Qt waits for it on the window's thread, which then paints nothing.
    TextReader textReader() override;
};
