// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>

// CRC-32 (the polynomial of zlib and PNG) of size bytes at data.
std::uint32_t crc32Of(const void* data, std::size_t size);
