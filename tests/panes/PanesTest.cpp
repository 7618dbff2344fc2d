// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListBox.h"
#include "panes/BrowsingPanes.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"
#include "util/PathText.h"

namespace {

using Rows = std::vector<std::string>;

// The left pane as the window wires it: the tree drives the folder's files,
// whose every re-reading rebuilds the found files.
class PanesTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        found.setShowNames(true);
        leftFiles.setMask("*.txt;*.m3u;*.dat;*");
        leftTree.setFileList(&leftFiles);
        QObject::connect(&leftFiles, &FolderFiles::changed, [this] { panes.FileListBox1Change(); });
    }

    // Shows folder in the left pane and runs the first show.
    void showLeft(const std::string& folder) {
        ASSERT_TRUE(leftTree.setDirectory(folder));
        formShow();
    }
    void formShow() {
        formReady = true;
        panes.FileListBox1Change();
    }
    Rows names() const {
        Rows n;
        for (const std::string& p : found.rows()) n.push_back(fileNamePart(p));
        return n;
    }
    const Rows& paths() const { return found.rows(); }
    const Rows& data() const { return dataList.list()->rows(); }
    int rowOf(const std::string& name) const {
        const Rows n = names();
        const auto it = std::find(n.begin(), n.end(), name);
        return it == n.end() ? -1 : int(it - n.begin());
    }
    void click(const std::string& name) {
        const int row = rowOf(name);
        ASSERT_GE(row, 0) << name;
        nameList.setCurrentRow(row);
        panes.FileNameListBoxClick();
    }
    QStringList shownTexts() const { return fakeDialogs().texts(); }

    TempDir dir;
    bool formReady = false;
    bool searching = false;
    std::string dataFileExtensions = ".txt;";
    DirectoryListBox leftTree;
    FolderFiles leftFiles;
    PathListModel found;
    PathListBox nameList{nullptr, false, &found};
    PathListBox dataList{nullptr, true};
    BrowsingPanes panes{
        PanesContext{formReady, leftFiles, found, nameList, dataList, dataFileExtensions, searching}};
};

TEST_F(PanesTest, FoundFilesAreBuiltAtTheFirstShow) {
    dir.write("b.txt");
    dir.write("A.TXT");
    dir.mkdir("folder.txt");
    ASSERT_TRUE(leftTree.setDirectory(dir.path()));
    leftFiles.setMask("*.txt");
    EXPECT_TRUE(names().empty()) << "nothing before the first show";
    EXPECT_TRUE(paths().empty());

    formShow();
    EXPECT_EQ(names(), (Rows{"A.TXT", "b.txt"}));
    EXPECT_EQ(paths(), (Rows{dir / "A.TXT", dir / "b.txt"}));

    const TempDir other;
    other.write("z.txt");
    ASSERT_TRUE(leftTree.setDirectory(other.path()));
    EXPECT_EQ(names(), Rows{"z.txt"});
    EXPECT_EQ(paths(), Rows{other / "z.txt"});
}

TEST_F(PanesTest, ClickingADataFileReplacesTheDataList) {
    dir.write("list.txt", "/p/one.jpg\r\n/p/two.jpg\r\n");
    showLeft(dir.path());
    dataList.list()->setRows({"/old"});
    click("list.txt");
    EXPECT_EQ(data(), (Rows{"/p/one.jpg", "/p/two.jpg"}));
    EXPECT_EQ(dataList.currentRow(), 0);
    EXPECT_EQ(dataList.selectedRows(), std::vector<int>{0});
    EXPECT_TRUE(dataList.showHint());
    EXPECT_EQ(dataList.hint(), QStringLiteral("one.jpg"));
    EXPECT_TRUE(fakeDialogs().shown.empty());

    dataList.setCurrentRow(1);
    panes.DataListBoxClick();
    EXPECT_EQ(dataList.hint(), QStringLiteral("two.jpg"));
}

TEST_F(PanesTest, OnlyDataFileExtensionsLoadAndTheListIsClearedAnyway) {
    dir.write("LIST.M3U", "/m/a.mp3\n");
    dir.write("notes.tx", "/n\n");
    dir.write("picture.dat", "/d\n");
    dir.write("README", "/r\n");
    dataFileExtensions = ".txt;.m3u;";
    showLeft(dir.path());

    click("LIST.M3U");
    EXPECT_EQ(data(), Rows{"/m/a.mp3"});
    for (const char* name : {"notes.tx", "picture.dat", "README"}) {
        dataList.list()->setRows({"/before"});
        click(name);
        EXPECT_TRUE(data().empty()) << name;
        EXPECT_FALSE(dataList.showHint()) << name;
    }
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(PanesTest, AnEmptyDataFileLeavesNoCurrentRowAndNoHint) {
    dir.write("full.txt", "/a\n");
    dir.write("zero.txt", "");
    showLeft(dir.path());
    click("full.txt");
    ASSERT_TRUE(dataList.showHint());
    click("zero.txt");
    EXPECT_TRUE(data().empty());
    EXPECT_EQ(dataList.currentRow(), -1);
    EXPECT_FALSE(dataList.showHint());
    EXPECT_TRUE(dataList.hint().isEmpty());
}

TEST_F(PanesTest, WithoutACurrentRowTheFirstFileIsTaken) {
    dir.write("a.txt", "/first\n");
    dir.write("b.txt", "/second\n");
    showLeft(dir.path());
    nameList.setCurrentRow(-1);
    panes.FileNameListBoxClick();
    EXPECT_EQ(data(), Rows{"/first"});
    EXPECT_EQ(nameList.currentRow(), 0);
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

    nameList.setCurrentRow(1);  // the row that took its place
    panes.FileNameListBoxClick();
    EXPECT_EQ(data(), Rows{"/c"});
}

TEST_F(PanesTest, AnUnreadableDataFileIsReportedAndLoadsNothing) {
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0644), 0);
    ::symlink((dir / "nowhere").c_str(), (dir / "dangling.txt").c_str());
    showLeft(dir.path());
    for (const char* name : {"pipe.txt", "dangling.txt"}) {
        fakeDialogs().reset();
        dataList.list()->setRows({"/before"});
        click(name);
        EXPECT_TRUE(data().empty());
        EXPECT_EQ(shownTexts(), QStringList{QString::fromUtf8(name) + " を読み込めませんでした。"});
        EXPECT_EQ(rowOf(name), nameList.currentRow())
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
    EXPECT_EQ(dataList.list()->data(dataList.list()->index(1), Qt::DisplayRole)
                  .toString()
                  .size(),
              2);  // decoded for display only
}

TEST_F(PanesTest, LeftListsFollowFilesAppearingAndVanishingAndKeepTheCurrentRow) {
    dir.write("b.txt");
    dir.write("d.txt");
    const std::string e = dir.write("e.txt");
    showLeft(dir.path());
    nameList.setCurrentRow(1);  // d.txt
    nameList.selectRow(1);

    dir.write("a.txt");
    ASSERT_TRUE(processEventsUntil([&] { return names().size() == 4; }));
    EXPECT_EQ(names(), (Rows{"a.txt", "b.txt", "d.txt", "e.txt"}));
    EXPECT_EQ(paths(), (Rows{dir / "a.txt", dir / "b.txt", dir / "d.txt", dir / "e.txt"}));
    EXPECT_EQ(nameList.currentRow(), 2);
    EXPECT_EQ(nameList.selectedRows(), std::vector<int>{2});

    ::unlink(e.c_str());
    ASSERT_TRUE(processEventsUntil([&] { return names().size() == 3; }));
    EXPECT_EQ(nameList.currentRow(), 2);
    click("d.txt");
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(PanesTest, AChangeInTheFolderKeepsSearchResults) {
    dir.write("a.txt");
    showLeft(dir.path());
    const Rows results{dir / "sub/x.txt", dir / "a.txt"};
    found.setRows(results);

    dir.write("new.txt");
    ASSERT_TRUE(processEventsUntil([&] { return leftFiles.names().size() == 2; }));
    processEventsFor(100);
    EXPECT_EQ(paths(), results);
    EXPECT_EQ(names(), (Rows{"x.txt", "a.txt"}));

    leftTree.reread();  // an explicit re-read rebuilds them
    EXPECT_EQ(names(), (Rows{"a.txt", "new.txt"}));
}

}  // namespace
