// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

// Plain-text clipboard.
class IClipboard {
public:
    // Reads the clipboard's text, as UTF-8, on any thread, handing it to
    // piece as it comes: false when it could not, and text() on the window's
    // thread must be asked instead. cancelled tells when the reading is no
    // longer wanted.
    using TextPiece = std::function<void(std::string_view piece)>;
    using TextReader =
        std::function<bool(const TextPiece& piece, const std::function<bool()>& cancelled)>;

    virtual ~IClipboard() = default;
    virtual bool setText(const QString& text) = 0;
    virtual bool hasText() = 0;
    virtual QString text() = 0;
    // A reader of the text as it is now that may run on another thread; an
    // empty one when the text must be read with text().
    virtual TextReader textReader() { return {}; }
};
