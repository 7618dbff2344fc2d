// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Test entry of the floors without Qt: a private home, nothing else.
#include <filesystem>

#include <gtest/gtest.h>

#include "support/core/TestFiles.h"

int main(int argc, char** argv) {
    const std::string home = makeTestHome();
    if (home.empty()) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return result;
}
