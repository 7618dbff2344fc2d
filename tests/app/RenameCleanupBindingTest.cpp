// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>

#include <QAction>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "controls/PathListModel.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

class RenameCleanupBinding : public PlatformTest {};

TEST_F(RenameCleanupBinding, TheRenameAndCleanupActionsRunTheirCommandsOnTheWindowsState) {
    TempDir dir;
    const std::string photos = dir.mkdir("photos");
    const Rows rows{dir.write("photos/b.jpg"), dir.write("photos/a.jpg")};
    dir.mkdir("photos/empty/inner");
    auto form = std::make_unique<TCopyForm>();
    fakeDialogs().reset();
    form->directoryListBox1()->setDirectory(photos);
    form->directoryListBox2()->setDirectory(photos);
    form->dataListBox()->list()->setRows(rows);

    fakeDialogs().inputs = {QString("IMG001"), QString("png")};
    form->action("ReNameAllFile")->trigger();
    form->dataListBox()->list()->setRows({photos + "/IMG001.jpg", photos + "/IMG002.jpg"});
    form->action("FileExtToNewExt")->trigger();
    EXPECT_EQ(form->fileListBox2()->list()->rows(), (Rows{"IMG001.png", "IMG002.png"}));

    form->fileListBox2()->setCurrentRow(0);
    fakeDialogs().inputs = {QString("cover.png")};
    form->action("ReNameFileNameRight")->trigger();
    EXPECT_EQ(form->fileListBox2()->list()->at(0), "cover.png");

    form->FilePathListBox->setRows({photos + "/IMG002.png"});
    form->fileNameListBox()->setCurrentRow(0);
    fakeDialogs().inputs = {QString("back.png")};
    form->action("RenameFileNameLeft")->trigger();
    EXPECT_EQ(form->FilePathListBox->at(0), photos + "/back.png");

    form->action("DeleteNoFileDirectory")->trigger();
    EXPECT_EQ(form->dataListBox()->list()->rows(), (Rows{photos + "/empty", photos + "/empty/inner"}));
    EXPECT_EQ(fakeDialogs().texts().filter(QStringLiteral("まだ使えません")), QStringList{});
}

}  // namespace
