#pragma once

#include <QString>

// Plain text on the clipboard; failures count as no text (reading) or leave
// the clipboard unchanged (writing).
bool SetClipboardText(const QString& text);
bool ClipboardHasText();
QString GetClipboardText();
