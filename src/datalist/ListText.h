// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QString>
#include <QStringView>

#include "util/IniFileIo.h"

// The text form of a list, as on the clipboard and in data files: every
// entry followed by CR LF, the last one included.

// Hands the text to sink in pieces of about a megabyte; false when the sink
// gave up.
bool WriteListText(const std::vector<std::string>& rows, const ByteSink& sink);
// The text decoded for the clipboard (bytes that are not UTF-8 become
// U+FFFD), built without a second copy of a long list.
QString ListTextForClipboard(const std::vector<std::string>& rows);

// The rows of pasted text: trimmed of characters up to code 32 at both ends,
// cut at CR LF, lone CR and lone LF, ended by a NUL; every line (an empty one
// too) is a row.
std::vector<std::string> RowsFromPastedText(QStringView text);
// The same rows from the text's UTF-8 bytes, without decoding the whole text:
// a line that is not valid UTF-8 gets U+FFFD where the decoding would.
std::vector<std::string> RowsFromPastedUtf8(std::string_view text);

// Those rows of a text that comes in pieces, made as the pieces come.
class PastedRows {
public:
    void add(std::string_view piece);
    std::vector<std::string> finish();

private:
    void take(char c);  // a byte of the trimmed text
    void endLine();

    bool started_ = false;  // the leading blanks are behind
    bool ended_ = false;    // a NUL ended the text
    bool afterCr_ = false;  // an LF now ends nothing
    std::string blanks_;    // since the last byte above 32: trailing, or inside
    std::string line_;
    std::vector<std::string> rows_;
};
