// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/FileNameFit.h"

std::string fitFileName(const std::string& base, const std::string& tail, std::size_t maxBytes) {
    if (tail.size() >= maxBytes) return {};
    std::size_t end = maxBytes - tail.size();
    if (base.size() <= end) return base + tail;
    // Back to the first byte of the character that would be split.
    while (end > 0 && (static_cast<unsigned char>(base[end]) & 0xC0) == 0x80) --end;
    if (end == 0) return {};
    return base.substr(0, end) + tail;
}
