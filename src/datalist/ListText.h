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
