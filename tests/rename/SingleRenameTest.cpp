// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "platform/MessageBoxIds.h"
#include "rename/SingleRename.h"
#include "support/TestEnvironment.h"

namespace {

const QString kHiddenQuestion =
    QStringLiteral("これは隠しファイルです。\r\nファイル名を変更してもよろしいですか?");

// The right pane's file list on a real folder, and the left pane's found
// files (full paths shown by name).
class SingleRenameTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        paths.setShowNames(true);
        folder = dir.mkdir("p");
    }
    void showRight(int current) {
        right.setDirectory(folder);
        right.setCurrentRow(current);
    }
    // Renames the current row of the right list, answering answer.
    void renameRight(std::optional<QString> answer) {
        fakeDialogs().inputs = {std::move(answer)};
        ReNameFileNameRightExecute(right);
    }

    TempDir dir;
    std::string folder;
    FileListBox right;
    PathListModel paths;
    PathListBox names{nullptr, false, &paths};
};

TEST_F(SingleRenameTest, AnEmptyListDoesNothingAndAListWithoutCurrentRowAsksForOne) {
    ReNameFileNameRightExecute(right);
    RenameFileNameLeftExecute(names, paths);
    EXPECT_TRUE(fakeDialogs().shown.empty());
    dir.write("p/a.txt");
    showRight(-1);
    paths.setRows({folder + "/a.txt"});
    ReNameFileNameRightExecute(right);
    RenameFileNameLeftExecute(names, paths);
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"リネームするファイルを指定してください。",
                                                  "リネームするファイルを指定してください。"}));
}

TEST_F(SingleRenameTest, AFileRemovedMeanwhileIsNotFoundWithItsFullPath) {
    const std::string a = dir.write("p/a.txt");
    showRight(0);
    std::filesystem::remove(a);
    ReNameFileNameRightExecute(right);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{QString::fromStdString(a) + "\r\nが見つかりませんでした。"});
}

TEST_F(SingleRenameTest, ASystemFileIsRefusedAndAHiddenReadOnlyOneGetsTheHiddenQuestionOnce) {
    const std::string fifo = folder + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string secret = dir.write("p/.secret");
    ::chmod(secret.c_str(), 0444);
    const std::string plain = dir.write("p/plain");
    ::chmod(plain.c_str(), 0444);
    paths.setRows({fifo, secret, plain});
    names.setCurrentRow(0);
    RenameFileNameLeftExecute(names, paths);
    for (int row : {1, 2}) {
        names.setCurrentRow(row);
        fakeDialogs().answers = {id::No};
        RenameFileNameLeftExecute(names, paths);
    }
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"これはシステムファイルです。\r\nリネームは中止します。", kHiddenQuestion,
                           "これは読み取り専用ファイルです。\r\nファイル名を変更してもよろしいですか?"}));
    EXPECT_EQ(fakeDialogs().shown[1].flags & mb::ButtonMask, mb::YesNo);
    EXPECT_EQ(fakeDialogs().shown[2].flags & mb::ButtonMask, mb::YesNo);
    EXPECT_TRUE(exists(secret) && exists(plain));
}

TEST_F(SingleRenameTest, CancelAndTheUnchangedNameDoNothing) {
    dir.write("p/a.txt");
    showRight(0);
    renameRight(std::nullopt);
    renameRight("a.txt");
    EXPECT_EQ(fakeDialogs().lastDefault, QStringLiteral("a.txt"));
    EXPECT_EQ(fakeDialogs().shown.at(0).caption, QStringLiteral("ファイル名の変更"));
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"新しいファイル名を入力してください。",
                                                  "新しいファイル名を入力してください。"}));
    EXPECT_TRUE(exists(folder + "/a.txt"));
}

TEST_F(SingleRenameTest, TakenEmptyAndFolderLeavingNamesAreRefused) {
    const std::string a = dir.write("p/a.txt", "mine");
    dir.write("p/b.txt", "theirs");
    dir.mkdir("p/sub");
    const struct {
        QString answer, message;
    } cases[] = {{"b.txt", "b.txt は既に存在します。\r\n( リネームできませんでした。 )"},
                 {"sub", "sub は既に存在します。\r\n( リネームできませんでした。 )"},
                 {"", "ファイル名の変更に失敗しました。"},
                 {"../a.txt", "ファイル名の変更に失敗しました。"},
                 {"sub/a.txt", "ファイル名の変更に失敗しました。"}};
    for (const auto& c : cases) {
        showRight(0);
        fakeDialogs().reset();
        renameRight(c.answer);
        EXPECT_EQ(fakeDialogs().texts().last(), c.message) << c.answer.toStdString();
        EXPECT_EQ(readFile(a), "mine");
        EXPECT_EQ(readFile(folder + "/b.txt"), "theirs");
    }
    EXPECT_FALSE(exists(dir / "a.txt"));
    EXPECT_FALSE(exists(folder + "/sub/a.txt"));
}

TEST_F(SingleRenameTest, TheRightRowShowsTheNewNameAndNamesItsFile) {
    dir.write("p/a.txt");
    dir.write("p/m.txt");
    showRight(1);
    renameRight("z.txt");
    EXPECT_EQ(right.list()->rows(), (std::vector<std::string>{"a.txt", "z.txt"}));
    EXPECT_EQ(right.fullPath(1), folder + "/z.txt");
    EXPECT_TRUE(exists(folder + "/z.txt"));
    EXPECT_FALSE(exists(folder + "/m.txt"));
}

TEST_F(SingleRenameTest, TheLeftRowKeepsItsFullPathSoASecondRenameStartsFromTheNewName) {
    const std::string a = dir.write("p/a.txt");
    paths.setRows({dir.write("q/other.txt"), a});
    names.setCurrentRow(1);
    fakeDialogs().inputs = {QString("b.txt")};
    RenameFileNameLeftExecute(names, paths);
    EXPECT_EQ(paths.at(1), folder + "/b.txt");
    EXPECT_EQ(names.model()->index(1, 0).data().toString(), QStringLiteral("b.txt"));
    fakeDialogs().inputs = {QString("c.txt")};
    RenameFileNameLeftExecute(names, paths);
    EXPECT_EQ(fakeDialogs().lastDefault, QStringLiteral("b.txt"));
    EXPECT_EQ(paths.at(1), folder + "/c.txt");
    EXPECT_TRUE(exists(folder + "/c.txt"));
}

}  // namespace
