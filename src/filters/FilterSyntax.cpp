// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filters/FilterSyntax.h"

#include <string_view>

#include "util/IniValues.h"
#include "util/SplitWX.h"

namespace {

// UTF-8 continuation and lead bytes are never ASCII, so a byte-wise search
// cannot hit part of a longer character.
constexpr std::string_view kForbidden = "\\/:.;*?\"<>|";

bool isPattern(const std::string& piece) {
    const std::string pattern = trimBlanks(piece);
    return pattern.size() >= 3 && pattern.compare(0, 2, "*.") == 0 &&
           pattern.find_first_of(kForbidden, 2) == std::string::npos;
}

}  // namespace

bool ValidateFilter(std::string& text) {
    text = trimBlanks(text);
    if (text.empty() || text == "*.*") return true;
    try {
        TSplitWX splitter;
        if (splitter.Split(text, ";") == 0) return false;
        for (const std::string& piece : splitter.Items)
            if (!isPattern(piece)) return false;
        return true;
    } catch (...) {
        return false;
    }
}
