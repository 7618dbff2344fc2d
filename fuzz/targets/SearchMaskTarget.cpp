// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Search masks: a name matches by the whole extension from its last dot.
#include <algorithm>
#include <string>

#include "FuzzCheck.h"
#include "Targets.h"
#include "filters/MaskExtensions.h"

void fuzzSearchMask(std::string_view data) {
    const auto f = fuzzFields(data, '\0', 2);
    const MaskExtensions mask{std::string(f[0])};
    const std::string name(f[1]);
    const bool matched = mask.matches(name);
    FUZZ_CHECK(mask.allFiles() == (f[0].find("*.*") != std::string_view::npos));
    if (mask.allFiles()) {
        FUZZ_CHECK(matched);
        return;
    }
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    FUZZ_CHECK(mask.matches(upper) == matched);
    const std::size_t dot = upper.rfind('.');
    if (dot == std::string::npos) {
        FUZZ_CHECK(!matched);
        return;
    }
    // Matched: the extension stands whole between ";" in the mask's text.
    const std::string extension = upper.substr(dot);
    if (matched && extension.find(';') == std::string::npos) {
        const std::string text = ";" + mask.text();
        bool whole = false;
        for (std::size_t at = text.find(extension); at != std::string::npos && !whole;
             at = text.find(extension, at + 1)) {
            std::size_t before = at, after = at + extension.size();
            const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
            while (before > 0 && blank(text[before - 1])) --before;
            while (after < text.size() && blank(text[after])) ++after;
            whole = before > 0 && text[before - 1] == ';' && after < text.size() && text[after] == ';';
        }
        FUZZ_CHECK(whole);
    }
}
