// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The ".hidden" reader: one name per line, its LF or CRLF not part of it.
#include <string>

#include "FuzzCheck.h"
#include "Targets.h"
#include "engine/HiddenNames.h"

void fuzzHiddenFile(std::string_view data) {
    const std::string text(data);
    const std::vector<std::string> lines = linesOf(text);
    std::string joined;
    for (const std::string& line : lines) joined += line;
    FUZZ_CHECK(joined == text);
    std::size_t listed = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find('\n') == std::string::npos || line.find('\n') + 1 == line.size());
        const std::string name = nameOfLine(line);
        FUZZ_CHECK(name.find('\n') == std::string::npos);
        FUZZ_CHECK(line.compare(0, name.size(), name) == 0);
        const std::string_view rest = std::string_view(line).substr(name.size());
        FUZZ_CHECK(rest.empty() || rest == "\n" || rest == "\r\n" || rest == "\r");
        if (!name.empty()) ++listed;
    }
    const std::set<std::string> names = namesOf(text);
    FUZZ_CHECK(names.size() <= listed && names.count("") == 0);
}
