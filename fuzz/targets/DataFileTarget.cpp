// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Data file text: rows at CRLF, CR and LF, up to the first NUL.
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "Targets.h"
#include "util/DataFile.h"

void fuzzDataFile(std::string_view data) {
    const std::vector<std::string> rows = parseDataFileText(data);

    // The same rows, one character at a time.
    const std::string_view text = data.substr(0, data.find('\0'));
    std::vector<std::string> expected;
    std::string row;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            row += text[i];
            continue;
        }
        expected.push_back(std::move(row));
        row.clear();
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    if (!row.empty()) expected.push_back(std::move(row));
    FUZZ_CHECK(rows == expected);

    // Saved with CRLF after every row, they read back the same.
    std::string saved;
    for (const std::string& r : rows) saved += r + "\r\n";
    FUZZ_CHECK(parseDataFileText(saved) == rows);
}
