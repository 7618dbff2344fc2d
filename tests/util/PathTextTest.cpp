// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "util/PathText.h"
#include "util/WildcardMask.h"

TEST(PathText, FolderPartKeepsSlashOnlyForTheRoot) {
    EXPECT_EQ(folderPart("/a/x.txt"), "/a");
    EXPECT_EQ(folderPart("/x.txt"), "/");
    EXPECT_EQ(folderPart("/a/b/"), "/a/b");
    EXPECT_EQ(folderPart("x.txt"), "");
    EXPECT_EQ(folderPart("/a:b/c"), "/a:b");  // ":" is an ordinary character here
}

TEST(PathText, ExtensionComesFromTheLastComponent) {
    EXPECT_EQ(extensionPart("/a.b/c"), "");
    EXPECT_EQ(extensionPart("/a/c.tar.gz"), ".gz");
    EXPECT_EQ(extensionPart("/a/.bashrc"), ".bashrc");
    EXPECT_EQ(withoutExtension("/a/c.tar.gz"), "/a/c.tar");
    EXPECT_EQ(fileNamePart("/a/c.txt"), "c.txt");
    EXPECT_EQ(joinPath("/", "x"), "/x");
    EXPECT_EQ(joinPath("/a", "x"), "/a/x");
    EXPECT_EQ(withoutTrailingSlash("/"), "/");
    EXPECT_EQ(withoutTrailingSlash("/a//"), "/a");
}

TEST(WildcardMask, WindowsMaskRules) {
    EXPECT_TRUE(matchesMask("README", "*.*"));
    EXPECT_TRUE(matchesMask("a.TXT", "*.txt"));
    EXPECT_TRUE(matchesMask("LIST.M3u", "*.txt;*.m3u"));
    EXPECT_TRUE(matchesMask("b.PLS", "*.m3u ; *.pls"));  // blanks next to ";" do not count
    EXPECT_FALSE(matchesMask("a.txt.bak", "*.txt"));
    EXPECT_FALSE(matchesMask("notes.tx", "*.txt"));
    EXPECT_TRUE(matchesMask("abc", "a*.*"));
    EXPECT_TRUE(matchesMask("a1.txt", "a?.txt"));
    EXPECT_TRUE(matchesMask("表.txt", "?.txt"));  // "?" is one character, not one byte
    EXPECT_FALSE(matchesMask("a.txt", ""));
    EXPECT_FALSE(matchesMask("a.txt", ";"));
    // Only ASCII letters fold: "Ä" and "ä" differ, as on Windows' mask match.
    EXPECT_FALSE(matchesMask("x.Ä", "*.ä"));
}
