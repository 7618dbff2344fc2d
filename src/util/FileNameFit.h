// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>

// The longest file name the file systems take (NAME_MAX).
inline constexpr std::size_t MaxFileNameBytes = 255;

// base followed by tail (a counter and the extension), the base shortened at
// a whole UTF-8 character so that the name fits maxBytes. Every generated
// name goes through here. Empty when tail alone leaves no room for a base
// character.
std::string fitFileName(const std::string& base, const std::string& tail,
                        std::size_t maxBytes = MaxFileNameBytes);
