// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>

#include <QAction>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "datalist/ClipboardPaste.h"
#include "panes/BrowsingPanes.h"
#include "platform/MessageBoxIds.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

class DataListBindingTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        form = std::make_unique<TCopyForm>();
    }
    void TearDown() override { form.reset(); }
    const Rows& data() const { return form->dataListBox()->list()->rows(); }

    TempDir dir;
    std::unique_ptr<TCopyForm> form;
};

TEST_F(DataListBindingTest, EveryEditAndSaveActionRunsItsCommand) {
    const char* names[] = {"DataDelete", "FileListTranslate", "ClipBoardCopyDataList",
                           "ClipBoardCopyLeft", "ClipBoardCopyRight", "ClipBoardPaste",
                           "SortDataList", "DeleteSameData", "SelectAllDataList", "ClearDataList",
                           "DoFilterDataList", "SaveFileListDataList", "SaveFileListLeft",
                           "SaveFileListRight", "EditClick"};
    for (const char* name : names) {
        form->action(name)->trigger();
    }
    for (const QString& text : fakeDialogs().texts())
        EXPECT_FALSE(text.contains(QStringLiteral("まだ使えません"))) << text.toStdString();
}

// Paste a list from a text editor, remove the duplicates, save the list,
// click it in the left pane and get the same rows back.
TEST_F(DataListBindingTest, APastedListSavedAndClickedComesBackTheSame) {
    form->directoryListBox1()->setDirectory(dir.path());
    form->directoryListBox2()->setDirectory(dir.path());
    form->FormShow();
    fakeClipboard().setText(QStringLiteral("/m/b.mp3\n/m/A.mp3\n/m/a.mp3\n/m/写真.jpg\n"));
    form->action("ClipBoardPaste")->trigger();
    ASSERT_TRUE(processEventsUntil([&] { return !ClipboardPaste::pending(*form->dataListBox()); }));
    form->action("DeleteSameData")->trigger();
    const Rows expected = {"/m/A.mp3", "/m/b.mp3", "/m/写真.jpg"};
    EXPECT_EQ(data(), expected);

    fakeDialogs().saveNames = {dir / "New01"};
    form->action("SaveFileListDataList")->trigger();
    EXPECT_EQ(readFile(dir / "New01.txt"), "/m/A.mp3\r\n/m/b.mp3\r\n/m/写真.jpg\r\n");

    form->action("ClearDataList")->trigger();
    ASSERT_TRUE(processEventsUntil([&] { return form->fileNameListBox()->findRow(dir / "New01.txt") >= 0; }));
    form->fileNameListBox()->setCurrentRow(form->fileNameListBox()->findRow(dir / "New01.txt"));
    form->panes().FileNameListBoxClick();
    EXPECT_EQ(data(), expected);
    EXPECT_EQ(fakeDialogs().texts().filter(QStringLiteral("重複")),
              QStringList{"1個のデータが重複していました。"});
}

}  // namespace
