// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "cleanup/EmptyFolderCommand.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "engine/EmptyFolders.h"
#include "engine/PosixFileOps.h"
#include "support/TestEnvironment.h"
#include "util/SyscallSeam.h"

namespace {

using Paths = std::vector<std::string>;

// The command with the two trees and the data list, on real folders.
class EmptyFolderCommandTest : public PlatformTest {
protected:
    void run() { DeleteNoFileDirectoryExecute({left, right}, data); }
    const Paths& rows() const { return data.list()->rows(); }

    TempDir dir;
    DirectoryListBox left;
    DirectoryListBox right;
    PathListBox data{nullptr, true};
};

TEST_F(EmptyFolderCommandTest, RemovedFoldersReplaceTheDataListAndASecondRunFindsNone) {
    const std::string s = dir.mkdir("s");
    dir.mkdir("s/A");
    dir.mkdir("s/B/C");
    dir.write("s/D/.hidden-file");
    right.setDirectory(s);
    data.list()->setRows({"/old/row"});
    run();
    EXPECT_EQ(rows(), (Paths{s + "/A", s + "/B", s + "/B/C"}));
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"3個のフォルダを削除しました。"});
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    fakeDialogs().reset();
    run();
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"0個のフォルダを削除しました。"});
}

TEST_F(EmptyFolderCommandTest, ARemovedStartFolderIsListedAndTheTreesShowingItMoveUp) {
    const std::string s = dir.mkdir("s");
    dir.mkdir("s/x/y");
    right.setDirectory(s);
    left.setDirectory(s + "/x/y");
    run();
    EXPECT_EQ(rows(), (Paths{s, s + "/x", s + "/x/y"}));
    EXPECT_EQ(right.directory(), dir.path());
    EXPECT_EQ(left.directory(), dir.path());
}

TEST_F(EmptyFolderCommandTest, AMissingStartFolderIsToldAndTheDataListStays) {
    const std::string s = dir.mkdir("s");
    right.setDirectory(s);
    std::filesystem::remove(s);
    data.list()->setRows({"/old/row"});
    run();
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{QString::fromStdString(s) + "が見つかりませんでした。",
                                                  "0個のフォルダを削除しました。"}));
    EXPECT_EQ(rows(), Paths{"/old/row"});
}

// Nothing is removed when the start is "/" or a later folder cannot be
// read. No folder can be removed here and only the start's listing is real,
// so that a broken refusal cannot reach the machine's own folders.
TEST_F(EmptyFolderCommandTest, RootAndUnreadableFoldersRemoveNothing) {
    const std::string s = dir.mkdir("s");
    dir.mkdir("s/a/b");
    dir.mkdir("s/c");
    struct stat startSt {};
    ::stat(s.c_str(), &startSt);
    EmptyFolderSources& sources = emptyFolderSources();
    const EmptyFolderSources saved = sources;
    sources.listSubfolders = [&](int fd, std::vector<std::string>& names) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_ino == startSt.st_ino && st.st_dev == startSt.st_dev)
            return posixops::listSubfolderNamesAt(fd, names);
        return EACCES;
    };
    syscalls::Overrides refusing;
    refusing.unlinkat = [](int, const char*, int) {
        errno = EPERM;
        return -1;
    };
    syscalls::ScopedOverrides scoped(refusing);
    const struct {
        std::string start;
        QStringList texts;
    } cases[] = {
        {"/", {"ルートディレクトリです。", "0個のフォルダを削除しました。"}},
        {s, {"** 検索エラーです(例外)。", "** 検索エラーです(例外)。", "** 検索エラーです(例外)。**",
             "0個のフォルダを削除しました。"}},
    };
    for (const auto& c : cases) {
        fakeDialogs().reset();
        data.list()->setRows({"/old/row"});
        right.setDirectory(c.start);
        run();
        EXPECT_EQ(fakeDialogs().texts(), c.texts) << c.start;
        EXPECT_EQ(rows(), Paths{"/old/row"}) << c.start;
    }
    sources = saved;
    EXPECT_TRUE(exists(s + "/a/b") && exists(s + "/c"));
}

}  // namespace
