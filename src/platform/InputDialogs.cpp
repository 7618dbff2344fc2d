// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/InputDialogs.h"

#include "platform/IUserDialogs.h"
#include "platform/Platform.h"

QString AskText(const QString& prompt, const QString& caption, const QString& defaultText,
                bool caretAtEnd) {
    bool closedWithOk = false;
    return AskTextModal(prompt, caption, defaultText, caretAtEnd, closedWithOk);
}

QString AskTextModal(const QString& prompt, const QString& caption, const QString& defaultText,
                     bool caretAtEnd, bool& closedWithOk) {
    closedWithOk = false;
    const std::optional<QString> answer =
        platform().dialogs->askText(prompt, caption, defaultText, caretAtEnd);
    if (!answer) return defaultText;
    closedWithOk = true;
    return *answer;
}

QString trimInput(const QString& text) {
    const auto blank = [](QChar c) { return c.unicode() <= u' '; };
    qsizetype begin = 0, end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}
