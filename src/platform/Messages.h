// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include <QString>

// Caption of the program's own messages.
extern const QString ConfirmCaption;

// Shows a message box through the dialogs seam and returns the pressed
// button's id:: value; flags -1 shows the plain application message and
// returns -1. A failure to show goes to the standard error report.
int MsgBox(const QString& text, const QString& caption, int flags);
// A notice with the caption "  確認" and an OK button.
void notice(const QString& text);
// A question with the caption "  確認" and Yes and No buttons; true on Yes.
bool askYesNo(const QString& text, int extraFlags = 0);
// The standard report of a failure no command caught.
void ShowErrorReport(const QString& text);

// Zero-padded signed number (see signedZeroPadding); an overflow is told in
// the plain application message.
std::string SignedZeroPadding(std::int32_t value, std::int32_t width);
