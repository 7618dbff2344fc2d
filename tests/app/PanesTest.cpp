#include <memory>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "app/BrowsingPanes.h"
#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/EventWait.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "support/TestEnvironment.h"
#include "util/ApU.h"

namespace {

using Rows = std::vector<std::string>;

class PanesTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        form = std::make_unique<TCopyForm>();
        form->FileListBox1->setMask("*.txt;*.m3u;*.dat;*");
    }
    void TearDown() override { form.reset(); }

    // Shows folder in the left pane and runs the first show.
    void showLeft(const std::string& folder) {
        ASSERT_TRUE(form->DirectoryListBox1->setDirectory(folder));
        form->FormShow();
    }
    const Rows& names() const { return form->FileNameListBox->list()->rows(); }
    const Rows& paths() const { return form->FilePathListBox->list()->rows(); }
    const Rows& data() const { return form->DataListBox->list()->rows(); }
    void click(const std::string& name) {
        const int row = form->FileNameListBox->findRow(name);
        ASSERT_GE(row, 0) << name;
        form->FileNameListBox->setCurrentRow(row);
        form->panes().FileNameListBoxClick();
    }
    QStringList shownTexts() const { return fakeDialogs().texts(); }

    TempDir dir;
    std::unique_ptr<TCopyForm> form;
};

TEST_F(PanesTest, LeftListsAreBuiltAtTheFirstShowAndStayParallel) {
    dir.write("b.txt");
    dir.write("A.TXT");
    dir.mkdir("folder.txt");
    ASSERT_TRUE(form->DirectoryListBox1->setDirectory(dir.path()));
    form->FileListBox1->setMask("*.txt");
    EXPECT_TRUE(names().empty()) << "nothing before the first show";
    EXPECT_TRUE(paths().empty());

    form->FormShow();
    EXPECT_EQ(names(), (Rows{"A.TXT", "b.txt"}));
    EXPECT_EQ(paths(), (Rows{dir / "A.TXT", dir / "b.txt"}));

    const TempDir other;
    other.write("z.txt");
    ASSERT_TRUE(form->DirectoryListBox1->setDirectory(other.path()));
    EXPECT_EQ(names(), Rows{"z.txt"});
    EXPECT_EQ(paths(), Rows{other / "z.txt"});
}

TEST_F(PanesTest, ClickingADataFileReplacesTheDataList) {
    dir.write("list.txt", "/p/one.jpg\r\n/p/two.jpg\r\n");
    showLeft(dir.path());
    form->DataListBox->list()->setRows({"/old"});
    click("list.txt");
    EXPECT_EQ(data(), (Rows{"/p/one.jpg", "/p/two.jpg"}));
    EXPECT_EQ(form->DataListBox->currentRow(), 0);
    EXPECT_EQ(form->DataListBox->selectedRows(), std::vector<int>{0});
    EXPECT_TRUE(form->DataListBox->showHint());
    EXPECT_EQ(form->DataListBox->hint(), QStringLiteral("one.jpg"));
    EXPECT_TRUE(fakeDialogs().shown.empty());

    form->DataListBox->setCurrentRow(1);
    form->panes().DataListBoxClick();
    EXPECT_EQ(form->DataListBox->hint(), QStringLiteral("two.jpg"));
}

TEST_F(PanesTest, OnlyDataFileExtensionsLoadAndTheListIsClearedAnyway) {
    dir.write("LIST.M3U", "/m/a.mp3\n");
    dir.write("notes.tx", "/n\n");
    dir.write("picture.dat", "/d\n");
    dir.write("README", "/r\n");
    form->DataFileExtensions = ".txt;.m3u;";
    showLeft(dir.path());

    click("LIST.M3U");
    EXPECT_EQ(data(), Rows{"/m/a.mp3"});
    for (const char* name : {"notes.tx", "picture.dat", "README"}) {
        form->DataListBox->list()->setRows({"/before"});
        click(name);
        EXPECT_TRUE(data().empty()) << name;
        EXPECT_FALSE(form->DataListBox->showHint()) << name;
    }
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(PanesTest, AnEmptyDataFileLeavesNoCurrentRowAndNoHint) {
    dir.write("full.txt", "/a\n");
    dir.write("zero.txt", "");
    showLeft(dir.path());
    click("full.txt");
    ASSERT_TRUE(form->DataListBox->showHint());
    click("zero.txt");
    EXPECT_TRUE(data().empty());
    EXPECT_EQ(form->DataListBox->currentRow(), -1);
    EXPECT_FALSE(form->DataListBox->showHint());
    EXPECT_TRUE(form->DataListBox->hint().isEmpty());
}

TEST_F(PanesTest, WithoutACurrentRowTheFirstFileIsTaken) {
    dir.write("a.txt", "/first\n");
    dir.write("b.txt", "/second\n");
    showLeft(dir.path());
    form->FileNameListBox->setCurrentRow(-1);
    form->panes().FileNameListBoxClick();
    EXPECT_EQ(data(), Rows{"/first"});
    EXPECT_EQ(form->FileNameListBox->currentRow(), 0);
}

TEST_F(PanesTest, AVanishedDataFileIsReportedAndLeavesBothLists) {
    dir.write("a.txt", "/a\n");
    const std::string gone = dir.write("b.txt", "/b\n");
    dir.write("c.txt", "/c\n");
    showLeft(dir.path());
    ::unlink(gone.c_str());
    click("b.txt");  // before the pane noticed
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].text, QStringLiteral("b.txt が見つかりませんでした。"));
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    EXPECT_EQ(fakeDialogs().shown[0].flags, 0);
    EXPECT_EQ(names(), (Rows{"a.txt", "c.txt"}));
    EXPECT_EQ(paths(), (Rows{dir / "a.txt", dir / "c.txt"}));
    EXPECT_TRUE(data().empty());

    form->FileNameListBox->setCurrentRow(1);  // the row that took its place
    form->panes().FileNameListBoxClick();
    EXPECT_EQ(data(), Rows{"/c"});
}

TEST_F(PanesTest, AnUnreadableDataFileIsReportedAndLoadsNothing) {
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0644), 0);
    ::symlink((dir / "nowhere").c_str(), (dir / "dangling.txt").c_str());
    showLeft(dir.path());
    for (const char* name : {"pipe.txt", "dangling.txt"}) {
        fakeDialogs().reset();
        form->DataListBox->list()->setRows({"/before"});
        click(name);
        EXPECT_TRUE(data().empty());
        EXPECT_EQ(shownTexts(), QStringList{QString::fromUtf8(name) + " を読み込めませんでした。"});
        EXPECT_EQ(form->FileNameListBox->findRow(name), form->FileNameListBox->currentRow())
            << "an unreadable file keeps its row";
    }
}

TEST_F(PanesTest, OddDataFilesLoadExactly) {
    dir.write("nul.txt", std::string("/a\r\n/b\0/hidden\r\n", 16));
    dir.write("sjis.txt", "/\x83\x74\x83\x40\r\n/\xff\r\n");
    showLeft(dir.path());
    click("nul.txt");
    EXPECT_EQ(data(), (Rows{"/a", "/b"}));
    click("sjis.txt");
    EXPECT_EQ(data(), (Rows{"/\x83\x74\x83\x40", "/\xff"}));
    EXPECT_EQ(form->DataListBox->list()->data(form->DataListBox->list()->index(1), Qt::DisplayRole)
                  .toString()
                  .size(),
              2);  // decoded for display only
}

TEST_F(PanesTest, AMissingPathRowIsAnErrorThatLeavesTheHint) {
    dir.write("a.txt", "/a\n");
    showLeft(dir.path());
    form->DataListBox->list()->setRows({"/x"});
    form->DataListBox->setCurrentRow(0);
    form->panes().UpdateDataListHint();
    form->FilePathListBox->list()->clear();
    click("a.txt");
    EXPECT_EQ(shownTexts(), QStringList{"FileNameListBoxClick Error"});
    EXPECT_TRUE(data().empty());
    EXPECT_TRUE(form->DataListBox->showHint()) << "the hint is not updated";
}

TEST_F(PanesTest, TheClickEventOfTheNameListLoadsTheClickedRow) {
    dir.write("a.txt", "/a\n");
    dir.write("b.txt", "/b\n");
    form->DirectoryListBox1->setDirectory(dir.path());
    form->show();
    ASSERT_TRUE(form->FormReady);
    PathListBox* list = form->FileNameListBox;
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

TEST_F(PanesTest, TreesAreAlignedWithEachOther) {
    const TempDir right;
    showLeft(dir.path());
    ASSERT_TRUE(form->DirectoryListBox2->setDirectory(right.path()));

    form->action("DirectorySetLeft")->trigger();
    EXPECT_EQ(form->DirectoryListBox2->directory(), dir.path());
    ASSERT_TRUE(form->DirectoryListBox2->setDirectory(right.path()));
    form->action("DirectorySetRight")->trigger();
    EXPECT_EQ(form->DirectoryListBox1->directory(), right.path());
    EXPECT_TRUE(fakeDialogs().shown.empty());

    QObject stranger;
    form->panes().DirectorySetLeftExecute(&stranger);
    form->panes().DirectorySetLeftExecute(nullptr);
    EXPECT_EQ(shownTexts(), QStringList(2, "予定外の呼び出しです(DirectorySetLeftExecute)。"));
}

TEST_F(PanesTest, AligningToAVanishedFolderIsReportedAsAnUncaughtFailure) {
    const std::string doomed = dir.mkdir("doomed");
    showLeft(doomed);
    const TempDir right;
    ASSERT_TRUE(form->DirectoryListBox2->setDirectory(right.path()));
    ::rmdir(doomed.c_str());
    form->action("DirectorySetLeft")->trigger();
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ErrorReport);
    EXPECT_EQ(form->DirectoryListBox2->directory(), right.path());
}

TEST_F(PanesTest, SelectedFoldersMoveTheTreeOfTheirMenu) {
    const std::string a = dir.mkdir("a");
    const std::string b = dir.mkdir("b");
    form->SelectedFolderPaths = {a, b, dir / "gone"};
    showLeft(dir.path());
    auto entry = [](QMenu* menu, int tag) {
        QAction* action = menu->addAction(QStringLiteral("entry"));
        action->setProperty("tag", tag);
        return action;
    };
    form->panes().SelectedFolder_Click(entry(form->LeftSelectedFolderMenu, 1));
    EXPECT_EQ(form->DirectoryListBox1->directory(), b);
    form->panes().SelectedFolder_Click(entry(form->RightSelectedFolderMenu, 0));
    EXPECT_EQ(form->DirectoryListBox2->directory(), a);
    EXPECT_TRUE(fakeDialogs().shown.empty());

    form->panes().SelectedFolder_Click(entry(form->LeftSelectedFolderMenu, 2));
    form->panes().SelectedFolder_Click(entry(form->LeftSelectedFolderMenu, 7));
    ASSERT_EQ(shownTexts(), QStringList(2, "フォルダ設定エラー。"));
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    EXPECT_EQ(form->DirectoryListBox1->directory(), b) << "the tree stays";

    fakeDialogs().reset();
    form->panes().SelectedFolder_Click(entry(form->FilterPopupMenu, 0));  // another menu
    EXPECT_TRUE(fakeDialogs().shown.empty());
    QObject notAnEntry;
    form->panes().SelectedFolder_Click(&notAnEntry);
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].text, QStringLiteral("SelectedFolder_Click Erroe(例外)"));
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ApplicationMessage);
}

TEST_F(PanesTest, LeftListsFollowFilesAppearingAndVanishingAndKeepTheCurrentRow) {
    dir.write("b.txt");
    dir.write("d.txt");
    const std::string e = dir.write("e.txt");
    showLeft(dir.path());
    form->FileNameListBox->setCurrentRow(1);  // d.txt
    form->FileNameListBox->selectRow(1);

    dir.write("a.txt");
    ASSERT_TRUE(processEventsUntil([&] { return names().size() == 4; }));
    EXPECT_EQ(names(), (Rows{"a.txt", "b.txt", "d.txt", "e.txt"}));
    EXPECT_EQ(paths(), (Rows{dir / "a.txt", dir / "b.txt", dir / "d.txt", dir / "e.txt"}));
    EXPECT_EQ(form->FileNameListBox->currentRow(), 2);
    EXPECT_EQ(form->FileNameListBox->selectedRows(), std::vector<int>{2});

    ::unlink(e.c_str());
    ASSERT_TRUE(processEventsUntil([&] { return names().size() == 3; }));
    EXPECT_EQ(form->FileNameListBox->currentRow(), 2);
    click("d.txt");
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(PanesTest, AChangeInTheFolderKeepsSearchResults) {
    dir.write("a.txt");
    showLeft(dir.path());
    const Rows results{dir / "sub/x.txt", dir / "a.txt"};
    form->FilePathListBox->list()->setRows(results);
    form->FileNameListBox->list()->setRows({"x.txt", "a.txt"});

    dir.write("new.txt");
    ASSERT_TRUE(processEventsUntil([&] { return form->FileListBox1->count() == 2; }));
    processEventsFor(100);
    EXPECT_EQ(paths(), results);
    EXPECT_EQ(names(), (Rows{"x.txt", "a.txt"}));

    form->DirectoryListBox1->reread();  // an explicit re-read rebuilds them
    EXPECT_EQ(names(), (Rows{"a.txt", "new.txt"}));
}

TEST_F(PanesTest, TheRightFileListFollowsItsFolder) {
    form->FormShow();
    ASSERT_TRUE(form->DirectoryListBox2->setDirectory(dir.path()));
    EXPECT_EQ(form->FileListBox2->count(), 0);
    dir.write("copied.bin");
    ASSERT_TRUE(processEventsUntil([&] { return form->FileListBox2->count() == 1; }));
    dir.mkdir("newfolder");
    const DirectoryListBox& tree = *form->DirectoryListBox2;
    ASSERT_TRUE(processEventsUntil(
        [&] { return tree.entryPath(tree.entryCount() - 1) == dir / "newfolder"; }));
}

}  // namespace
