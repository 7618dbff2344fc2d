// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/HiddenNames.h"

#include <fcntl.h>

#include "util/IniFileIo.h"

namespace {

std::optional<std::string> readAt(int folderFd, const char* file) {
    std::string text;
    switch (readWholeFileAt(folderFd, file, text)) {
        case FileReadResult::Read: return text;
        case FileReadResult::Missing: return std::string();
        default: return std::nullopt;
    }
}

std::optional<std::set<std::string>> namesOrNothing(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return namesOf(*text);
}

}  // namespace

std::optional<std::string> readHiddenText(const std::string& file) {
    return readAt(AT_FDCWD, file.c_str());
}

std::optional<std::string> readHiddenTextAt(int folderFd) { return readAt(folderFd, ".hidden"); }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string nameOfLine(std::string line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::set<std::string> namesOf(const std::string& text) {
    std::set<std::string> names;
    for (const auto& line : linesOf(text)) {
        std::string n = nameOfLine(line);
        if (!n.empty()) names.insert(std::move(n));
    }
    return names;
}

std::optional<std::set<std::string>> readHiddenFile(const std::string& file) {
    return namesOrNothing(readHiddenText(file));
}

std::optional<std::set<std::string>> readHiddenFileAt(int folderFd) {
    return namesOrNothing(readHiddenTextAt(folderFd));
}
