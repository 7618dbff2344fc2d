// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/SplitWX.h"

#include <algorithm>

namespace {

// Length of the UTF-8 character starting at s[i]; invalid bytes count alone.
std::size_t charLength(const std::string& s, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c >= 0xF0 && c < 0xF8 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
    if (c >= 0xF8 || i + n > s.size()) return 1;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
    return n;
}

std::vector<std::string> characters(const std::string& s) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = charLength(s, i);
        chars.push_back(s.substr(i, n));
        i += n;
    }
    return chars;
}

}  // namespace

int TSplitWX::Split(const std::string& text, const std::string& delimiters) {
    try {
        const std::vector<std::string> delims = characters(delimiters);
        Items.clear();
        std::size_t fieldStart = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t n = charLength(text, i);
            const std::string_view ch(text.data() + i, n);
            if (std::find(delims.begin(), delims.end(), ch) != delims.end()) {
                Items.push_back(text.substr(fieldStart, i - fieldStart));
                fieldStart = i + n;
            }
            i += n;
        }
        Items.push_back(text.substr(fieldStart));
        return static_cast<int>(Items.size());
    } catch (...) {
        return 0;
    }
}
