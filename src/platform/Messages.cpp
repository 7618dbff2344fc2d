// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Messages.h"

#include <exception>

#include "platform/IUserDialogs.h"
#include "platform/MessageBoxIds.h"
#include "platform/Platform.h"
#include "util/NumberText.h"

const QString ConfirmCaption = QStringLiteral("  確認");

int MsgBox(const QString& text, const QString& caption, int flags) {
    try {
        if (flags == -1) {
            platform().dialogs->applicationMessage(text);
            return -1;
        }
        return platform().dialogs->messageBox(text, caption, flags);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
        return -1;
    }
}

void notice(const QString& text) { MsgBox(text, ConfirmCaption, mb::Ok); }

bool askYesNo(const QString& text, int extraFlags) {
    return MsgBox(text, ConfirmCaption, mb::YesNo | extraFlags) == id::Yes;
}

void ShowErrorReport(const QString& text) { platform().dialogs->errorReport(text); }

std::string SignedZeroPadding(std::int32_t value, std::int32_t width) {
    const PaddedNumber padded = signedZeroPadding(value, width);
    if (padded.overflow > 0)
        MsgBox(QStringLiteral("オーバーフローしました(数が大)。"), QString(), -1);
    else if (padded.overflow < 0)
        MsgBox(QStringLiteral("オーバーフローしました(数が小)。"), QString(), -1);
    return padded.text;
}
