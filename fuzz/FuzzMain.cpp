// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry of one target, chosen by DORVAN_FUZZ_ENTRY.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        DORVAN_FUZZ_ENTRY(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "finding: %s\n", e.what());
        std::abort();
    }
    return 0;
}
