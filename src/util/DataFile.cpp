// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/DataFile.h"

#include <cstring>

#include "util/IniFileIo.h"

namespace {

// Rows separated by CRLF, lone CR or lone LF.
void splitRows(const char* p, const char* end, std::vector<std::string>& rows) {
    auto find = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, std::size_t(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    // The next LF and the next CR at or after p; each is searched again only
    // once p has passed it, so lines of one kind never rescan the other.
    const char* lf = find(p, '\n');
    const char* cr = find(p, '\r');
    while (p < end) {
        if (lf < p) lf = find(p, '\n');
        if (cr < p) cr = find(p, '\r');
        if (lf < cr) {
            rows.emplace_back(p, lf);
            p = lf + 1;
        } else if (cr == end) {
            rows.emplace_back(p, end);
            break;
        } else {
            rows.emplace_back(p, cr);
            p = cr + 1;
            if (p == lf) ++p;  // CRLF
        }
    }
}

std::size_t countLineFeeds(const char* p, const char* end) {
    std::size_t n = 0;
    while ((p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p))))) {
        ++n;
        ++p;
    }
    return n;
}

}  // namespace

std::vector<std::string> parseDataFileText(std::string_view text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (const void* nul = std::memchr(begin, '\0', text.size()))
        end = static_cast<const char*>(nul);
    std::vector<std::string> rows;
    rows.reserve(countLineFeeds(begin, end) + 1);
    splitRows(begin, end, rows);
    return rows;
}

DataFileRead readDataFile(const std::string& path, std::vector<std::string>& rows,
                          std::size_t maxSize) {
    rows.clear();
    std::string text;
    switch (readWholeFile(path, text, maxSize)) {
        case FileReadResult::Read: break;
        case FileReadResult::TooLarge: return DataFileRead::TooLarge;
        case FileReadResult::Missing:
        case FileReadResult::Failed: return DataFileRead::Unreadable;
    }
    rows = parseDataFileText(text);
    return DataFileRead::Ok;
}
