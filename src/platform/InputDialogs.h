// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The program's own input dialog, asked through the dialogs seam.

// The edit text trimmed of blanks and control characters on OK; defaultText,
// unchanged, on any other close.
QString AskText(const QString& prompt, const QString& caption, const QString& defaultText,
                bool caretAtEnd);
// The same; closedWithOk tells whether the dialog was closed with OK.
QString AskTextModal(const QString& prompt, const QString& caption, const QString& defaultText,
                     bool caretAtEnd, bool& closedWithOk);

// text without the blanks and control characters (codes 32 and below) at
// both ends; other spaces, such as the ideographic one, stay.
QString trimInput(const QString& text);
