// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <set>

#include <gtest/gtest.h>

#include "util/UniqueName.h"

namespace {

std::string freeName(const std::string& path, bool folder, std::set<std::string> takenNames,
                     std::size_t max = 255) {
    return collisionFreeName(path, folder, [&](const std::string& p) { return takenNames.count(p) != 0; },
                             max);
}

}  // namespace

TEST(CollisionName, CountsUpBeforeTheExtension) {
    EXPECT_EQ(freeName("/d/x.txt", false, {}), "/d/x_01.txt");
    EXPECT_EQ(freeName("/d/x.tar.gz", false, {"/d/x.tar_01.gz"}), "/d/x.tar_02.gz");
    std::set<std::string> many;
    for (int i = 1; i <= 99; ++i) many.insert("/d/x_" + std::string(i < 10 ? "0" : "") + std::to_string(i));
    EXPECT_EQ(freeName("/d/x", false, many), "/d/x_100");
}

TEST(CollisionName, FoldersAndDotNamesKeepTheirWholeName) {
    EXPECT_EQ(freeName("/d/photos.2024", true, {}), "/d/photos.2024_01");
    EXPECT_EQ(freeName("/d/.profile", false, {}), "/d/.profile_01");
}

TEST(CollisionName, LongNamesAreCutAtACharacterBoundary) {
    // "あ" is three bytes; 10 bytes leave room for "_01.t" plus one character.
    const std::string name = "あああ.t";
    EXPECT_EQ(freeName("/d/" + name, false, {}, 10), "/d/あ_01.t");
    EXPECT_EQ(freeName("/d/x.extension", false, {}, 8), "");
}
