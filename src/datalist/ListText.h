#pragma once

#include <string>
#include <vector>

#include <QStringView>

// The text form of a list, as on the clipboard and in data files: every
// entry followed by CR LF, the last one included.
std::string ListText(const std::vector<std::string>& rows);

// The rows of pasted text: trimmed of characters up to code 32 at both ends,
// cut at CR LF, lone CR and lone LF, ended by a NUL; every line (an empty one
// too) is a row.
std::vector<std::string> RowsFromPastedText(QStringView text);
