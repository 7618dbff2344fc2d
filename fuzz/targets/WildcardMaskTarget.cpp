// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Mask matching, against a plain matcher on whole characters.
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "Targets.h"
#include "util/IniValues.h"
#include "util/WildcardMask.h"

namespace {

// The characters of valid UTF-8 text; nothing for any other text.
bool characters(std::string_view s, std::vector<std::string_view>& out) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3
                            : c >= 0xF0 && c < 0xF5 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        const unsigned char d = static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]);
        if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) ||
            (c == 0xF4 && d >= 0x90))
            return false;  // overlong, surrogate or beyond U+10FFFF
        out.push_back(s.substr(i, n));
        i += n;
    }
    return true;
}

bool sameChar(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
    return a.size() == b.size() && (a.size() > 1 ? a == b : lower(a[0]) == lower(b[0]));
}

// "*" any run of characters, "?" one character, else the same character.
bool glob(const std::vector<std::string_view>& name, const std::vector<std::string_view>& pat) {
    // can[j]: pat[0..j) matches name[0..i)
    std::vector<char> can(pat.size() + 1, 0), next(pat.size() + 1);
    can[0] = 1;
    for (std::size_t j = 0; j < pat.size() && pat[j] == "*"; ++j) can[j + 1] = 1;
    for (std::string_view ch : name) {
        next.assign(pat.size() + 1, 0);
        for (std::size_t j = 0; j < pat.size(); ++j) {
            if (pat[j] == "*") next[j + 1] = next[j] || can[j + 1] || can[j];
            else next[j + 1] = can[j] && (pat[j] == "?" || sameChar(pat[j], ch));
        }
        can.swap(next);
    }
    return can[pat.size()];
}

bool referencePattern(std::string_view name, std::string_view pattern) {
    std::vector<std::string_view> n, p, q;
    characters(name, n);
    characters(pattern, p);
    if (p.empty()) return false;
    if (pattern == "*" || pattern == "*.*" || glob(n, p)) return true;
    if (p.size() < 2 || p[p.size() - 2] != "." || p.back() != "*") return false;
    q.assign(p.begin(), p.end() - 2);
    return name.find('.') == std::string_view::npos && glob(n, q);
}

}  // namespace

void fuzzWildcardMask(std::string_view data) {
    const auto f = fuzzFields(data, '\0', 2);
    const std::string mask(f[0]), name(f[1]);
    const bool matched = matchesMask(name, mask);

    std::vector<std::string_view> chars;
    if (mask.size() > 256 || name.size() > 256 || !characters(mask, chars) || !characters(name, chars))
        return;
    bool expected = false;
    for (std::size_t start = 0; start <= mask.size() && !expected;) {
        std::size_t end = mask.find(';', start);
        if (end == std::string::npos) end = mask.size();
        expected = referencePattern(name, trimBlanks(mask.substr(start, end - start)));
        start = end + 1;
    }
    FUZZ_CHECK(matched == expected);
}
