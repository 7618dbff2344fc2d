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
