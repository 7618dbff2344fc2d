// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "hierarchy/HierarchyPlan.h"

namespace {

using Paths = std::vector<std::string>;

struct CommonCase {
    const char* what;
    Paths entries;
    std::string common;
};

TEST(CommonFolder, DeepestFolderSharedNameByName) {
    const CommonCase cases[] = {
        {"no entries", {}, ""},
        {"one file at the root", {"/x.txt"}, "/"},
        {"one file", {"/a/b/x.txt"}, "/a/b"},
        {"the worked example",
         {"/Music/Rock/a.mp3", "/Music/Jazz/b.mp3", "/Music/Rock/Live/c.mp3"}, "/Music"},
        {"a longer name is no ancestor", {"/Music/a.mp3", "/Musical/A/b.mp3"}, "/"},
        {"names differing in case are other folders", {"/p/Photos/a", "/p/photos/b"}, "/p"},
        {"one folder and a folder below it", {"/p/a/x", "/p/a/b/y", "/p/a/b/c/z"}, "/p/a"},
        {"only the root in common", {"/a/x", "/b/y"}, "/"},
        {"a root folder among them", {"/x", "/a/y"}, "/"},
        {"no folder at all", {"x.txt", "/a/y"}, ""},
        {"the same names deeper in another path", {"/x/Music/f.mp3", "/y/x/Music/g.mp3"}, "/"},
    };
    for (const auto& c : cases) EXPECT_EQ(CommonFolder(c.entries), c.common) << c.what;
}

TEST(FillBaseLevels, RootFirstDownToTheCommonFolderOrTheDriveEntry) {
    EXPECT_EQ(FillBaseLevels({"/home/u/Music/Rock/a.mp3", "/home/u/Music/Jazz/b.mp3"}),
              (Paths{"/", "/home", "/home/u", "/home/u/Music"}));
    EXPECT_EQ(FillBaseLevels({"/x.txt"}), Paths{"/"});
    EXPECT_EQ(FillBaseLevels({"x.txt", "/a/y"}), Paths{"ドライブ"});
}

TEST(BaseText, FolderWithSlashRootItselfDriveEntryEmpty) {
    const Paths levels{"/", "/home", "/home/u"};
    EXPECT_EQ(BaseText(levels, 0), "/");
    EXPECT_EQ(BaseText(levels, 2), "/home/u/");
    EXPECT_EQ(BaseText({DriveLevel}, 0), "");
    EXPECT_THROW(BaseText(levels, 3), std::out_of_range);
}

struct TargetCase {
    const char* what;
    std::string source;
    std::string base;
    std::string prefix;
    std::string target;
};

TEST(HierarchyTarget, StaysBelowTheDestination) {
    const TargetCase cases[] = {
        {"below the base", "/m/Music/Rock/a.mp3", "/m/Music/", "/dest/", "/dest/Rock/a.mp3"},
        {"the root keeps the whole path", "/m/Music/a.mp3", "/", "/dest/", "/dest/m/Music/a.mp3"},
        {"the drive entry too", "/m/Music/a.mp3", "", "/dest/", "/dest/m/Music/a.mp3"},
        {"base in another letter case", "/m/music/x", "/m/Music/", "/dest/", "/dest/m/music/x"},
        {"base that does not occur", "/Musical/A/b", "/Music/", "/dest/", "/dest/Musical/A/b"},
        {"base only inside the path", "/y/x/abc/f2", "/x/abc/", "/dest/", "/dest/y/x/abc/f2"},
        {"destination at the root", "/a/b/f", "/a/", "/", "/b/f"},
        {"empty and dot names drop out", "/a//./b/f", "/a/", "/dest/", "/dest/b/f"},
        {"dot-dot climbs out", "/home/u/../../etc/passwd", "/home/u/", "/dest/", ""},
        {"dot-dot at the end", "/a/b/..", "/a/", "/dest/", ""},
        {"nothing below the base", "/a/", "/a/", "/dest/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HierarchyTarget(c.source, c.base, c.prefix), c.target) << c.what;
}

}  // namespace
