// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/IniValues.h"

#include <charconv>

namespace {

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length that the UTF-8 lead byte c announces; 0 for a byte that leads nothing.
std::size_t announcedLength(unsigned char c) {
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c < 0xE0) return 2;
    if (c >= 0xE0 && c < 0xF0) return 3;
    if (c >= 0xF0 && c < 0xF5) return 4;
    return 0;
}

std::optional<std::int32_t> parseHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string cutIniValue(std::string_view value) {
    if (value.size() <= kIniValueLimit) return std::string(value);
    std::size_t cut = kIniValueLimit;
    // Step back to the lead byte of the character that the limit splits.
    for (std::size_t back = 1; back <= 3 && isContinuationByte(value[cut]); ++back) {
        const std::size_t lead = kIniValueLimit - back;
        const std::size_t length = announcedLength(static_cast<unsigned char>(value[lead]));
        if (length > back) {
            cut = lead;
            break;
        }
        if (!isContinuationByte(static_cast<unsigned char>(value[lead]))) break;
    }
    return std::string(value.substr(0, cut));
}

std::optional<std::int32_t> parseIniInteger(std::string_view text) {
    if (!text.empty() && text.front() == '$') return parseHex(text.substr(1));
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseHex(text.substr(2));
    return parseDecimal(text);
}

std::string trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}
