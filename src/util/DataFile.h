// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A data file: one path per line, bytes kept exactly.

// Cuts text into rows at CRLF, lone CR and lone LF. A NUL ends the text; a
// line break at the very end adds no row; an empty line elsewhere is an empty
// row; nothing is trimmed.
std::vector<std::string> parseDataFileText(std::string_view text);

enum class DataFileRead {
    Ok,
    Unreadable,  // cannot be opened or read, or not a regular file
    TooLarge,    // larger than kMaxDataFileSize
};

// Data files beyond this size are refused rather than read into memory.
inline constexpr std::size_t kMaxDataFileSize = std::size_t(512) << 20;

// Reads the regular file at path in one go and parses it into rows. Special
// files (FIFOs, devices) are never read.
DataFileRead readDataFile(const std::string& path, std::vector<std::string>& rows,
                          std::size_t maxSize = kMaxDataFileSize);
