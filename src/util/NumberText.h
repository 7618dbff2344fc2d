// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

// Decimal digits of value, padded on the left with pad to width; never
// shortened.
std::string ZeroPadding(std::uint32_t value, std::uint32_t width, char pad);

struct PaddedNumber {
    std::string text;
    int overflow = 0;  // +1 or -1 when the digits did not fit width
};
// value zero-padded to width digits with a leading "-" for negative values;
// digits that do not fit are returned unpadded (and without sign) with the
// overflow direction.
PaddedNumber signedZeroPadding(std::int32_t value, std::int32_t width);
