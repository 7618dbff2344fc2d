// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "panes/BrowsingPanes.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

// The browsing panes as the window binds them to its events and actions.
class PanesWiringTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        form = std::make_unique<TCopyForm>();
    }
    void TearDown() override { form.reset(); }

    void showLeft(const std::string& folder) {
        ASSERT_TRUE(form->directoryListBox1()->setDirectory(folder));
        form->FormShow();
    }
    const Rows& data() const { return form->dataListBox()->list()->rows(); }
    QStringList shownTexts() const { return fakeDialogs().texts(); }

    TempDir dir;
    std::unique_ptr<TCopyForm> form;
};

TEST_F(PanesWiringTest, TheClickEventOfTheNameListLoadsTheClickedRow) {
    dir.write("a.txt", "/a\n");
    dir.write("b.txt", "/b\n");
    form->directoryListBox1()->setDirectory(dir.path());
    form->show();
    ASSERT_TRUE(form->FormReady);
    PathListBox* list = form->fileNameListBox();
    processEventsUntil([&] { return list->visualRect(list->list()->index(1)).isValid(); });
    const QPoint at = list->visualRect(list->list()->index(1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_EQ(data(), Rows{"/b"});
}

TEST_F(PanesWiringTest, TreesAreAlignedWithEachOther) {
    const TempDir right;
    showLeft(dir.path());
    ASSERT_TRUE(form->directoryListBox2()->setDirectory(right.path()));

    form->action("DirectorySetLeft")->trigger();
    EXPECT_EQ(form->directoryListBox2()->directory(), dir.path());
    ASSERT_TRUE(form->directoryListBox2()->setDirectory(right.path()));
    form->action("DirectorySetRight")->trigger();
    EXPECT_EQ(form->directoryListBox1()->directory(), right.path());
    EXPECT_TRUE(fakeDialogs().shown.empty());

    DirectorySetLeftExecute(TreeAlignment::Other, *form->directoryListBox1(), *form->directoryListBox2());
    EXPECT_EQ(shownTexts(), QStringList{"予定外の呼び出しです(DirectorySetLeftExecute)。"});
}

TEST_F(PanesWiringTest, AligningToAVanishedFolderIsReportedAsAnUncaughtFailure) {
    const std::string doomed = dir.mkdir("doomed");
    showLeft(doomed);
    const TempDir right;
    ASSERT_TRUE(form->directoryListBox2()->setDirectory(right.path()));
    ::rmdir(doomed.c_str());
    form->action("DirectorySetLeft")->trigger();
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ErrorReport);
    EXPECT_EQ(form->directoryListBox2()->directory(), right.path());
}

TEST_F(PanesWiringTest, SelectedFoldersMoveTheTreeOfTheirMenu) {
    const std::string a = dir.mkdir("a");
    const std::string b = dir.mkdir("b");
    form->SelectedFolderPaths = {a, b, dir / "gone"};
    showLeft(dir.path());
    form->rebuildSelectedFolderMenus();
    auto entry = [](QMenu* menu, int index) { return menu->actions().at(index); };
    entry(form->leftSelectedFolderMenu(), 1)->trigger();
    EXPECT_EQ(form->directoryListBox1()->directory(), b);
    entry(form->rightSelectedFolderMenu(), 0)->trigger();
    EXPECT_EQ(form->directoryListBox2()->directory(), a);
    EXPECT_TRUE(fakeDialogs().shown.empty());

    entry(form->leftSelectedFolderMenu(), 2)->trigger();
    SelectedFolder_Click(*form->directoryListBox1(), form->SelectedFolderPaths, 7);
    ASSERT_EQ(shownTexts(), QStringList(2, "フォルダ設定エラー。"));
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    EXPECT_EQ(form->directoryListBox1()->directory(), b) << "the tree stays";
}

TEST_F(PanesWiringTest, TheRightFileListFollowsItsFolder) {
    form->FormShow();
    ASSERT_TRUE(form->directoryListBox2()->setDirectory(dir.path()));
    EXPECT_EQ(form->fileListBox2()->count(), 0);
    dir.write("copied.bin");
    ASSERT_TRUE(processEventsUntil([&] { return form->fileListBox2()->count() == 1; }));
    dir.mkdir("newfolder");
    const DirectoryListBox& tree = *form->directoryListBox2();
    ASSERT_TRUE(processEventsUntil(
        [&] { return tree.entryPath(tree.entryCount() - 1) == dir / "newfolder"; }));
}

}  // namespace
