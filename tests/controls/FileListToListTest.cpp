// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "controls/FileListBox.h"
#include "controls/PathListModel.h"
#include "support/TestEnvironment.h"

namespace {

class FileListToListTest : public PlatformTest {};

TEST_F(FileListToListTest, GathersFullPaths) {
    TempDir d;
    d.write("b.txt");
    d.write("a.txt");
    FileListBox list;
    list.setMask("*.*");
    list.setDirectory(d.path());
    list.setCurrentRow(1);
    PathListModel target;
    target.append("stale");
    EXPECT_TRUE(FileListToList(list, target));
    EXPECT_EQ(target.rows(), (std::vector<std::string>{d / "a.txt", d / "b.txt"}));
    EXPECT_EQ(list.currentRow(), 1);
}

TEST_F(FileListToListTest, OnAnEmptyList) {
    TempDir d;
    FileListBox list;
    list.setDirectory(d.path());
    PathListModel target;
    target.append("stale");
    EXPECT_FALSE(FileListToList(list, target));
    EXPECT_TRUE(target.empty());
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"データがありませんよ!"});
}

}  // namespace
