// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/WildcardMask.h"

#include "util/IniValues.h"

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// Length of the UTF-8 sequence starting at s[i] (1 for stray bytes).
std::size_t charLength(const std::string& s, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + n > s.size()) return 1;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
    return n;
}

bool globMatch(const std::string& name, const std::string& pat) {
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && pat[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pat.size() && pat[p] == '?') {
            n += charLength(name, n);
            ++p;
        } else if (p < pat.size() && lower(pat[p]) == lower(name[n])) {
            ++n;
            ++p;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            starN += charLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == '*') ++p;
    return p == pat.size();
}

}  // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
    if (pattern.empty()) return false;
    if (pattern == "*" || pattern == "*.*") return true;
    if (globMatch(name, pattern)) return true;
    const bool dotStar = pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0;
    return dotStar && name.find('.') == std::string::npos &&
           globMatch(name, pattern.substr(0, pattern.size() - 2));
}

bool matchesMask(const std::string& name, const std::string& mask) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = mask.find(';', start);
        // Blanks next to a ";" belong to the filter's text, not its patterns.
        const std::string pattern = trimBlanks(
            mask.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (matchesPattern(name, pattern)) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}
