// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListModel.h"
#include "platform/MessageBoxIds.h"
#include "savelists/SaveFileList.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"
#include "util/DataFile.h"

namespace {

using Rows = std::vector<std::string>;

class SaveFileListTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        leftTree.setFileList(&leftFiles);
        rightTree.setFileList(rightFiles.files());
        right = dir.mkdir("right");
        rightTree.setDirectory(right);
        leftTree.setDirectory(dir.path());
    }
    void save(SaveListAction action, std::optional<std::string> answer, int chosen = -1) {
        fakeDialogs().saveNames.push_back(std::move(answer));
        if (chosen >= 0) fakeDialogs().saveFilterIndexes.push_back(chosen);
        SaveFileListDataListExecute(action, {data, found, rightFiles, scratch, txtFilter,
                                             rightTree.directory(), memory, {leftTree, rightTree}});
    }

    // The message boxes shown, without the save dialogs.
    static QStringList messages() {
        QStringList texts;
        for (const auto& shown : fakeDialogs().shown)
            if (shown.kind == FakeDialogs::Kind::MessageBox) texts << shown.text;
        return texts;
    }

    TempDir dir;
    std::string right;
    PathListModel data, found;
    DirectoryListBox leftTree, rightTree;
    FolderFiles leftFiles;
    FileListBox rightFiles;
    std::vector<std::string> scratch;
    std::string txtFilter = "*.txt";
    SaveDialogMemory memory;
};

TEST_F(SaveFileListTest, EmptySourcesAndForeignCallersSayWhyAndOpenNoDialog) {
    rightTree.setDirectory(dir.mkdir("empty"));
    for (auto action : {SaveListAction::SaveFileListDataList, SaveListAction::SaveFileListLeft,
                        SaveListAction::SaveFileListRight, SaveListAction::Other})
        SaveFileListDataListExecute(action, {data, found, rightFiles, scratch, txtFilter, right,
                                             memory, {leftTree, rightTree}});
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"操作ファイルリストがありませんよ。", "ファイルリスト(左)がありませんよ。",
                           "ファイルリスト(右)がありませんよ。",
                           "予定外の呼び出しです(SaveFileListDataListExecute)。"}));
}

TEST_F(SaveFileListTest, WritesEveryRowWithCrLfAndReadsBackTheSameRows) {
    data.setRows({"/a/写真.jpg", "", "/b/c"});
    save(SaveListAction::SaveFileListDataList, dir / "list");
    const auto& request = fakeDialogs().lastSave;
    EXPECT_EQ(request.folder, right);
    EXPECT_EQ(request.fileName, "New01");
    EXPECT_EQ(request.filters, (QStringList{"(*.txt) (*.txt)", "すべてのファイル(*.*) (*)"}));
    EXPECT_EQ(readFile(dir / "list.txt"), "/a/写真.jpg\r\n\r\n/b/c\r\n");
    Rows back;
    ASSERT_EQ(readDataFile(dir / "list.txt", back), DataFileRead::Ok);
    EXPECT_EQ(back, data.rows());
    // No message reports success; the right pane moved to the file's folder.
    EXPECT_EQ(messages(), QStringList{});
    EXPECT_EQ(rightTree.directory(), dir.path());
}

// A long list is written in pieces; no entry may be split or lost between them.
TEST_F(SaveFileListTest, ALongListComesBackWhole) {
    Rows many;
    for (int i = 0; i < 60000; ++i) many.push_back("/long/folder/name/" + std::to_string(i) + ".jpg");
    data.setRows(many);
    save(SaveListAction::SaveFileListDataList, dir / "long.txt");
    Rows back;
    ASSERT_EQ(readDataFile(dir / "long.txt", back), DataFileRead::Ok);
    EXPECT_EQ(back, many);
}

TEST_F(SaveFileListTest, TheChosenEntryGivesTheExtensionOfANameWithoutOne) {
    txtFilter = "*.txt;*.m3u";
    found.setRows({"/f/1"});
    struct Case {
        std::string typed;
        int entry;
        std::string written;
    };
    const Case cases[] = {{"New03.lst", 0, "New03.lst"}, {"dir.d/New04", 0, "dir.d/New04.txt"},
                          {"New01", 1, "New01.m3u"}, {"New02", 2, "New02"}};
    dir.mkdir("dir.d");
    for (const Case& c : cases) {
        save(SaveListAction::SaveFileListLeft, dir / c.typed, c.entry);
        EXPECT_EQ(readFile(dir / c.written), "/f/1\r\n") << c.written;
    }
    // The dialog opens at the entry chosen last.
    save(SaveListAction::SaveFileListLeft, std::nullopt);
    EXPECT_EQ(fakeDialogs().lastSave.filterIndex, 2);
    EXPECT_EQ(fakeDialogs().lastSave.filters.size(), 3);
}

TEST_F(SaveFileListTest, AnExistingFileIsReplacedOnlyAfterAYes) {
    const std::string target = dir.write("right/keep.txt", "old\r\n");
    ::chmod(target.c_str(), 0640);
    data.setRows({"/new"});
    rightTree.setDirectory(dir.mkdir("elsewhere"));
    fakeDialogs().answers = {id::No};
    save(SaveListAction::SaveFileListDataList, target);
    EXPECT_EQ(readFile(target), "old\r\n");
    EXPECT_EQ(rightTree.directory(), dir / "elsewhere");  // no refresh

    fakeDialogs().answers = {id::Yes};
    save(SaveListAction::SaveFileListDataList, target);
    EXPECT_EQ(readFile(target), "/new\r\n");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    ASSERT_EQ(messages(), (QStringList{"keep.txtは既に存在します。\r\n上書きしますか?",
                                       "keep.txtは既に存在します。\r\n上書きしますか?"}));
    EXPECT_EQ(fakeDialogs().shown[1].flags, mb::YesNo);
    EXPECT_EQ(rightTree.directory(), right);
}

TEST_F(SaveFileListTest, RightPaneIsSavedAsFullPathsThroughTheScratchList) {
    dir.write("right/b.txt");
    dir.write("right/a.txt");
    rightTree.setDirectory(right);
    ASSERT_TRUE(processEventsUntil([&] { return rightFiles.count() == 2; }));
    save(SaveListAction::SaveFileListRight, dir / "out.txt");
    EXPECT_EQ(readFile(dir / "out.txt"), right + "/a.txt\r\n" + right + "/b.txt\r\n");
    EXPECT_TRUE(scratch.empty());
}

TEST_F(SaveFileListTest, CancelWritesNothingAndAFailedWriteSaysSo) {
    data.setRows({"/x"});
    save(SaveListAction::SaveFileListDataList, std::nullopt);
    const std::string blocker = dir.write("blocker");
    save(SaveListAction::SaveFileListDataList, blocker + "/New01");
    EXPECT_EQ(messages(), QStringList{"ListDataSave Error(4)"});
    EXPECT_EQ(readFile(blocker), "x");
    EXPECT_EQ(rightTree.directory(), right);
}

// A name that the default extension pushes past NAME_MAX is refused before
// anything is tried; one that still fits is saved.
TEST_F(SaveFileListTest, ANameTooLongWithItsExtensionIsRefusedWithAReason) {
    data.setRows({"/x"});
    for (const std::size_t length : {251u, 252u}) {
        fakeDialogs().reset();
        const std::string name(length, 'n');
        save(SaveListAction::SaveFileListDataList, dir / name);
        EXPECT_EQ(exists(dir / (name + ".txt")), length == 251) << length;
        EXPECT_EQ(messages(), length == 251 ? QStringList{}
                                            : QStringList{"ファイル名が長すぎます(拡張子を含めて255バイトまで)。\r\n"
                                                          "短い名前で保存してください。"})
            << length;
    }
}

}  // namespace
