// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Filter validation, and the mask of a filter it accepts.
#include <string>

#include "FuzzCheck.h"
#include "Targets.h"
#include "filters/FilterSyntax.h"
#include "util/IniValues.h"
#include "util/WildcardMask.h"

void fuzzFilterSyntax(std::string_view data) {
    std::string text(data);
    const bool valid = ValidateFilter(text);
    std::string again = text;
    FUZZ_CHECK(ValidateFilter(again) == valid && again == text);
    if (!valid || text.empty() || text == "*.*") return;

    // Every extension an accepted filter names lets a file with it through.
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        const std::string pattern = trimBlanks(text.substr(start, end - start));
        FUZZ_CHECK(pattern.compare(0, 2, "*.") == 0 && pattern.size() > 2);
        FUZZ_CHECK(matchesMask("name" + pattern.substr(1), text));
        start = end + 1;
    }
}
