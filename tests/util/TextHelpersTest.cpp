// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/core/TestFiles.h"
#include "util/DateTimeText.h"
#include "util/FileNameFit.h"
#include "util/NumberText.h"
#include "util/UniqueName.h"

namespace {

bool fileTaken(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool folderTaken(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string UniqueFileName(const std::string& path, int digits) {
    return ::UniqueFileName(path, digits, fileTaken);
}

std::string UniqueFolderName(const std::string& folder) {
    return ::UniqueFolderName(folder, folderTaken);
}

TEST(TextHelpers, SignedZeroPaddingTellsItsOverflow) {
    EXPECT_EQ(signedZeroPadding(42, 4).text, "0042");
    EXPECT_EQ(signedZeroPadding(-42, 4).text, "-0042");
    EXPECT_EQ(signedZeroPadding(42, 4).overflow, 0);
    EXPECT_EQ(signedZeroPadding(12345, 3).overflow, 1);
    EXPECT_EQ(signedZeroPadding(-12345, 3).overflow, -1);
}

TEST(TextHelpers, ZeroPaddingNeverShortens) {
    EXPECT_EQ(ZeroPadding(7, 3, '0'), "007");
    EXPECT_EQ(ZeroPadding(1234, 2, '0'), "1234");
    EXPECT_EQ(ZeroPadding(5, 0, '0'), "5");
    EXPECT_EQ(ZeroPadding(4294967295u, 12, '0'), "004294967295");
}

TEST(TextHelpers, DateTimeTextIsUsableAsAFileName) {
    const std::string t = DateTimeText();
    EXPECT_FALSE(t.empty());
    EXPECT_EQ(t.find(':'), std::string::npos);
    EXPECT_EQ(t.find('/'), std::string::npos);
    std::tm day {};
    day.tm_year = 2026 - 1900;
    day.tm_mon = 11;
    day.tm_mday = 8;
    const std::string midnight = DateTimeText(day);
    day.tm_sec = 1;
    const std::string later = DateTimeText(day);
    EXPECT_EQ(midnight.find("00_00"), std::string::npos) << midnight;
    EXPECT_EQ(later.substr(0, midnight.size() + 1), midnight + " ");
    EXPECT_EQ(later.find(':'), std::string::npos);
}

TEST(TextHelpers, UniqueFileNameCountsOnlyFiles) {
    TempDir d;
    EXPECT_EQ(UniqueFileName(d / "free.txt", 2), d / "free.txt");
    d.write("b.txt");
    EXPECT_EQ(UniqueFileName(d / "b.txt", 2), d / "b_01.txt");
    d.write("b_01.txt");
    EXPECT_EQ(UniqueFileName(d / "b.txt", 2), d / "b_02.txt");
    d.mkdir("b_02.txt");  // a folder does not take the name
    EXPECT_EQ(UniqueFileName(d / "b.txt", 2), d / "b_02.txt");
    d.write("noext");
    EXPECT_EQ(UniqueFileName(d / "noext", 0), d / "noext_1");
    EXPECT_EQ(UniqueFileName(d / "noext", 9), d / "noext_00001");
    // The dot of a folder name is not an extension.
    d.write("dir.d/file");
    EXPECT_EQ(UniqueFileName(d / "dir.d/file", 2), d / "dir.d/file_01");
}

TEST(TextHelpers, UniqueFileNameGrowsPastThePaddedWidth) {
    TempDir d;
    d.write("n.txt");
    for (int i = 1; i <= 9; ++i) d.write("n_" + std::to_string(i) + ".txt");
    EXPECT_EQ(UniqueFileName(d / "n.txt", 1), d / "n_10.txt");
}

TEST(TextHelpers, GeneratedNamesFitTheFileSystemCutAtAWholeCharacter) {
    // Table of base, tail, limit, expected; "あ" is three bytes.
    struct Case {
        std::string base, tail;
        std::size_t max;
        std::string expected;
    };
    const std::vector<Case> cases = {{"abc", "_01.t", 10, "abc_01.t"},
                                     {"あああ", "_01.t", 10, "あ_01.t"},
                                     {"あああ", "_01.t", 7, ""},
                                     {"x", "_01.extension", 8, ""}};
    for (const auto& c : cases) EXPECT_EQ(fitFileName(c.base, c.tail, c.max), c.expected) << c.base;

    TempDir d;
    const std::string longName = "a" + [] {
        std::string s;
        while (s.size() < 246) s += "あ";
        return s;
    }() + ".txt";
    ASSERT_EQ(longName.size(), 251u);
    d.write(longName);
    const std::string unique = UniqueFileName(d / longName, 5);
    const std::string name = unique.substr(d.path().size() + 1);
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.substr(name.size() - 10), "_00001.txt");
    EXPECT_EQ(longName.compare(0, name.size() - 10, name, 0, name.size() - 10), 0);  // whole characters
    d.write(name);  // the file system takes it
    EXPECT_TRUE(exists(unique));
}

TEST(TextHelpers, UniqueFolderNameCountsOnlyFolders) {
    TempDir d;
    const std::string work = d.mkdir("work");
    EXPECT_EQ(UniqueFolderName(work), work + "/001");
    EXPECT_EQ(UniqueFolderName(work + "/"), work + "/001");
    d.mkdir("work/001");
    d.write("work/002");  // a file does not take the name
    EXPECT_EQ(UniqueFolderName(work), work + "/002");
}

}  // namespace
