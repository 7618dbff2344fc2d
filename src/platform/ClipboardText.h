// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "platform/IClipboard.h"

// Plain text on the clipboard; failures count as no text (reading) or leave
// the clipboard unchanged (writing).
bool SetClipboardText(const QString& text);
bool ClipboardHasText();
QString GetClipboardText();
// A reader of the clipboard's text for another thread; empty when the text
// must be read with GetClipboardText. A failing reader gives nothing.
IClipboard::TextReader ClipboardTextReader();
