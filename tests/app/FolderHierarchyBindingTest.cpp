// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hierarchy and folder actions reach their commands with the window's state.
#include <algorithm>

#include <QAction>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "support/TestEnvironment.h"

namespace {

TEST(FolderHierarchyBinding, ActionsRunTheirCommandsOnTheRightPane) {
    fakeDialogs().reset();
    TempDir dir;
    TCopyForm form;
    const std::string dest = dir.mkdir("dest");
    form.directoryListBox2()->setDirectory(dest);
    form.FileOperationOptions = OperationOptions::fromBits(2);
    form.dataListBox()->list()->setRows({dir.write("src/sub/a.txt", "a")});
    // The level of src: the root, one per folder of dir, then src.
    fakeDialogs().baseLevels = {int(std::count(dir.path().begin(), dir.path().end(), '/')) + 1};
    form.action("ClassKeepingFileCopy")->trigger();
    EXPECT_EQ(readFile(dest + "/sub/a.txt"), "a");

    fakeDialogs().inputs = {QStringLiteral("made")};
    form.action("FolderNew")->trigger();
    EXPECT_EQ(form.directoryListBox2()->directory(), dest + "/made");
    EXPECT_EQ(form.destinationFolder(), dest + "/made");

    fakeDialogs().reset();
    form.directoryListBox2()->setDirectory("/");
    form.action("FolderDelete")->trigger();
    form.action("FolderErase")->trigger();
    form.action("FolderCopy")->trigger();
    form.action("FolderMove")->trigger();
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"ルートディレクトリです。", "ルートディレクトリです。",
                                                  "使用不可", "使用不可"}));
}

}  // namespace
