// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ClipboardText.h"

#include "platform/IClipboard.h"
#include "platform/Platform.h"

bool SetClipboardText(const QString& text) {
    try {
        return platform().clipboard->setText(text);
    } catch (...) {
        return false;
    }
}

bool ClipboardHasText() {
    try {
        return platform().clipboard->hasText();
    } catch (...) {
        return false;
    }
}

QString GetClipboardText() {
    try {
        return platform().clipboard->hasText() ? platform().clipboard->text() : QString();
    } catch (...) {
        return {};
    }
}

IClipboard::TextReader ClipboardTextReader() {
    IClipboard::TextReader reader;
    try {
        reader = platform().clipboard->textReader();
    } catch (...) {
        return {};
    }
    if (!reader) return {};
    return [reader](const IClipboard::TextPiece& piece, const std::function<bool()>& cancelled) {
        try {
            return reader(piece, cancelled);
        } catch (...) {
            return false;
        }
    };
}
