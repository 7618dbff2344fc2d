// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Value rules of the settings file, independent of any file.

// Longest value a read returns, in bytes.
inline constexpr std::size_t kIniValueLimit = 2047;

// value cut to at most kIniValueLimit bytes, never inside a UTF-8 character.
std::string cutIniValue(std::string_view value);

// A signed 32-bit integer in decimal (optional sign), or in hexadecimal after
// "$" or "0x"/"0X" (up to 8 digits, taken as the 32-bit pattern, so $FFFFFFFF
// is -1). Nothing for any other text.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

// text without the blanks and control characters at both ends.
std::string trimBlanks(std::string_view text);
