// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/NumberText.h"

std::string ZeroPadding(std::uint32_t value, std::uint32_t width, char pad) {
    std::string digits = std::to_string(value);
    if (width > digits.size()) digits.insert(0, width - digits.size(), pad);
    return digits;
}

PaddedNumber signedZeroPadding(std::int32_t value, std::int32_t width) {
    const int sign = value > 0 ? 1 : value < 0 ? -1 : 0;
    const std::int64_t magnitude = value < 0 ? -std::int64_t(value) : std::int64_t(value);
    const std::string digits = std::to_string(magnitude);
    if (std::int64_t(digits.size()) > std::int64_t(width)) return {digits, sign == 1 ? 1 : -1};
    std::string text = std::string(std::size_t(width) - digits.size(), '0') + digits;
    return {sign == -1 ? "-" + text : text, 0};
}
