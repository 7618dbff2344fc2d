// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The soak: random command sequences on generated trees. A short run here;
// scripts/soak.sh runs a thousand sequences through the same test.
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

#include "Soak.h"
#include "support/TestEnvironment.h"
#include "support/core/TmpfsMount.h"

namespace {

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

TEST(Soak, EveryByteIsWhereTheReportsSayItIs) {
    const std::uint64_t seed = fromEnvironment("DORVAN_SOAK_SEED", 1);
    const std::uint64_t sequences = fromEnvironment("DORVAN_SOAK_SEQUENCES", 50);
    // A small second file system: copies and moves into it meet a full disk now and then.
    TmpfsMount other(testHome() + "/soak-other", "160k");
    Soak soak(testHome() + "/soak", other.skip() ? std::string() : other.path(), std::cout,
              std::getenv("DORVAN_SOAK_TRACE") != nullptr);
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t i = 0; i < sequences; ++i) soak.runSequence(seed + i);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const SoakFigures& f = soak.figures();
    std::cout << "soak: seed " << seed << ", sequences " << f.sequences << ", operations "
              << f.operations << ", files checked " << f.filesChecked << ", findings " << f.findings
              << ", second file system " << (other.skip() ? "no" : "yes") << ", " << seconds << " s\n";
    EXPECT_EQ(f.findings, 0);
}

}  // namespace
