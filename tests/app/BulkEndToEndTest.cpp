// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The bulk commands through the real file-operation service, as a user runs
// them: data list filled, destination chosen in the right pane, button pressed.
#include <sys/stat.h>

#include <QAction>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "platform/MessageBoxIds.h"
#include "support/FakeFileOpUi.h"
#include "support/TestEnvironment.h"

namespace {

using Paths = std::vector<std::string>;

class EndToEndTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        fakeFileOpUi().reset();
        form = std::make_unique<TCopyForm>();
        form->show();
        dest = dir.mkdir("dest");
        form->directoryListBox2()->setDirectory(dest);
        fakeDialogs().reset();
    }
    void TearDown() override { form.reset(); }

    void run(const char* action, Paths rows) {
        form->dataListBox()->list()->setRows(std::move(rows));
        form->action(action)->trigger();
    }

    TempDir dir;
    std::string dest;
    std::unique_ptr<TCopyForm> form;
};

TEST_F(EndToEndTest, CopyWithTheDefaultOptionsClearsReadOnlyOfTheCopiesOnly) {
    ASSERT_EQ(form->FileOperationOptions.bits(), 202);
    const auto a = dir.write("src/a.txt", "alpha");
    const auto locked = dir.write("src/locked.txt", "keep");
    ::chmod(locked.c_str(), 0444);
    dir.write("dest/a.txt", "old");  // renamed around, never replaced
    fakeDialogs().answers = {id::Yes};
    run("FileCopy", {locked, a, a});

    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"読み取り専用属性を解除します。", "1個のファイルは重複していました。"}));
    EXPECT_EQ(readFile(dest + "/a.txt"), "old");
    EXPECT_EQ(readFile(dest + "/a_01.txt"), "alpha");
    EXPECT_EQ(readFile(dest + "/locked.txt"), "keep");
    EXPECT_TRUE(ownerWritable(dest + "/locked.txt"));
    EXPECT_FALSE(ownerWritable(locked));
    EXPECT_EQ(fakeFileOpUi().begins, 1);  // a progress dialog was shown
    // The right pane shows the new files.
    Paths shown = form->fileListBox2()->list()->rows();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (Paths{"a.txt", "a_01.txt", "locked.txt"}));
    EXPECT_EQ(form->dataListBox()->list()->rows(), (Paths{locked, a, a}));
}

TEST_F(EndToEndTest, MoveLeavesTheDataListAndReportsMissingOnesNextTime) {
    form->FileOperationOptions = OperationOptions::fromBits(2);  // no question for creating folders
    const auto a = dir.write("src/a.txt", "1");
    const auto b = dir.write("src/b.txt", "2");
    run("FileMove", {a, b});
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(readFile(dest + "/b.txt"), "2");
    EXPECT_EQ(form->fileListBox2()->list()->rows(), (Paths{"a.txt", "b.txt"}));

    form->action("FileMove")->trigger();
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"ファイルが見つかりませんでした。",
                                                  "2個のファイルは処理できませんでした。"}));
}

TEST_F(EndToEndTest, DeleteGoesToTheTrashAfterItsConfirmation) {
    const auto a = dir.write("src/a.txt", "1");
    fakeFileOpUi().trashAnswers = {true};
    run("FileDelete", {a});
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(fakeFileOpUi().count(FakeFileOpUi::Kind::Trash), 1u);
    const std::string trash = testHome() + "/XDG_DATA_HOME/Trash";
    EXPECT_EQ(readFile(trash + "/files/a.txt"), "1");
    EXPECT_TRUE(exists(trash + "/info/a.txt.trashinfo"));
    std::remove((trash + "/files/a.txt").c_str());
    std::remove((trash + "/info/a.txt.trashinfo").c_str());
}

TEST_F(EndToEndTest, EraseRemovesForGoodOnlyAfterYes) {
    form->action("FileErase")->setEnabled(true);
    const auto a = dir.write("src/a.txt");
    fakeDialogs().answers = {id::No};
    run("FileErase", {a});
    EXPECT_TRUE(exists(a));
    fakeDialogs().answers = {id::Yes};
    form->action("FileErase")->trigger();
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"ファイルを消去します。", "ファイルを消去します。"}));
    EXPECT_EQ(fakeFileOpUi().count(FakeFileOpUi::Kind::Trash), 0u);
}

}  // namespace
