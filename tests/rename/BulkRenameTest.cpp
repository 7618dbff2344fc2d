// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListModel.h"
#include "engine/PosixFileSystem.h"
#include "platform/Platform.h"
#include "rename/BulkRename.h"
#include "support/TestEnvironment.h"
#include "util/SyscallSeam.h"
#include "util/Termination.h"

namespace {

using Paths = std::vector<std::string>;

Paths namesIn(const std::string& folder) {
    Paths names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The commands with the data list and both trees, on real folders.
class BulkRenameTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        leftTree.setFileList(&leftFiles);
        rightTree.setFileList(rightFiles.files());
    }
    void renameAll(Paths rows, const QString& base) {
        data.setRows(std::move(rows));
        fakeDialogs().inputs = {base};
        ReNameAllFileExecute(data, {leftTree, rightTree});
    }
    void changeExtensions(Paths rows, std::optional<QString> answer) {
        data.setRows(std::move(rows));
        fakeDialogs().inputs = {answer};
        FileExtToNewExtExecute(data, {leftTree, rightTree});
    }
    // Texts of the messages, without the input boxes.
    static QStringList messages() {
        QStringList texts;
        for (const auto& s : fakeDialogs().shown)
            if (s.kind == FakeDialogs::Kind::MessageBox) texts << s.text;
        return texts;
    }

    TempDir dir;
    PathListModel data;
    DirectoryListBox leftTree;
    FolderFiles leftFiles;
    DirectoryListBox rightTree;
    FileListBox rightFiles;
};

TEST_F(BulkRenameTest, SerialNamesFollowTheListAcrossFoldersAndTheRightPaneShowsThem) {
    const Paths rows{dir.write("p/x.txt"), dir.write("p/y.jpg"), dir.write("q/z.txt")};
    rightTree.setDirectory(dir / "p");
    renameAll(rows, "A001");
    EXPECT_EQ(fakeDialogs().shown.at(0).caption, QStringLiteral("連番でファイル名を変更します。"));
    EXPECT_EQ(fakeDialogs().shown.at(0).text,
              QStringLiteral("ベースファイル名(例. ''A001'')を入力してください。"));
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"A001.txt", "A002.jpg"}));
    EXPECT_EQ(namesIn(dir / "q"), Paths{"A003.txt"});
    EXPECT_EQ(rightFiles.list()->rows(), (Paths{"A001.txt", "A002.jpg"}));
    EXPECT_EQ(messages(), QStringList{"終了しました。"});

    // The rows keep the old paths, so a second run finds none of them.
    EXPECT_EQ(data.rows(), rows);
    fakeDialogs().reset();
    renameAll(rows, "B001");
    EXPECT_EQ(messages(), QStringList{"3個のファイルは処理できませんでした。"});
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"A001.txt", "A002.jpg"}));
}

// No memory left while the entries are copied: told, and the run goes on
// with those copied, the others counted as missing.
TEST_F(BulkRenameTest, EntriesThatCannotBeCopiedAreToldAndCountedAsMissing) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's shadow memory needs more address space than the limit leaves";
#endif
    data.setRows({dir.write("p/a.txt"), std::string(96u << 20, 'x'), dir.write("p/c.txt")});
    fakeDialogs().inputs = {QStringLiteral("A001")};
    const auto runWithLittleMemory = [&] {
        std::ifstream statm("/proc/self/statm");
        unsigned long pages = 0;
        statm >> pages;
        const rlim_t limit = pages * ::sysconf(_SC_PAGESIZE) + (48u << 20);
        const rlimit room{limit, limit};
        ::setrlimit(RLIMIT_AS, &room);
        ReNameAllFileExecute(data, {leftTree, rightTree});
        const bool told = messages() == QStringList{"ReNameFileExecute Error",
                                                    "2個のファイルは処理できませんでした。"};
        std::_Exit(told && namesIn(dir / "p") == Paths{"A001.txt", "c.txt"} ? 0 : 1);
    };
    EXPECT_EXIT(runWithLittleMemory(), ::testing::ExitedWithCode(0), "");
}

TEST_F(BulkRenameTest, ATakenNameGetsACounterWhileTheNumbersGoOn) {
    const std::string other = dir.write("p/A002.txt", "theirs");
    renameAll({dir.write("p/a.txt"), dir.write("p/b.txt", "b"), dir.write("p/c.txt")}, "A001");
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"A001.txt", "A002.txt", "A002_01.txt", "A003.txt"}));
    EXPECT_EQ(readFile(other), "theirs");
    EXPECT_EQ(readFile(dir / "p/A002_01.txt"), "b");
}

TEST_F(BulkRenameTest, AMissingEntryTakesNoNumberAndIsCounted) {
    renameAll({dir.write("p/a.txt"), dir / "p/gone.txt", dir.write("p/c.txt")}, "A001");
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"A001.txt", "A002.txt"}));
    EXPECT_EQ(messages(), QStringList{"1個のファイルは処理できませんでした。"});
}

// Another program makes the planned name after it was found free: that file
// stays, and the run ends there.
TEST_F(BulkRenameTest, ANameTakenMeanwhileEndsTheRunWithoutReplacingIt) {
    const std::string theirs = dir.write("p/A002.txt", "theirs");
    struct Racing : PosixFileSystem {
        std::string unseen;
        bool fileExists(const std::string& p) override {
            return p != unseen && PosixFileSystem::fileExists(p);
        }
    } racing;
    racing.unseen = theirs;
    Platform replacement;
    replacement.fileSystem = &racing;
    ScopedPlatform scope(replacement);
    const Paths rows{dir.write("p/a.txt"), dir.write("p/b.txt", "b"), dir.write("p/c.txt")};
    renameAll(rows, "A001");
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"A001.txt", "A002.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(readFile(theirs), "theirs");
    EXPECT_EQ(messages(), QStringList{"2個のファイルは処理できませんでした。"});
}

// On a mount without RENAME_NOREPLACE a hard link renames without
// replacing; where links are refused too, nothing is renamed (a check of
// the name and a rename could be overtaken by another client) and the
// reason is told.
TEST_F(BulkRenameTest, WithoutNoReplaceRenamesAFileIsRenamedByALinkOrRefused) {
    struct Row {
        bool linksWork;
        Paths names;
        QStringList texts;
    };
    for (const Row& row : {Row{true, {"A001.txt"}, {"終了しました。"}},
                           Row{false, {"a.txt"},
                               {"1個のファイルは処理できませんでした。\r\n"
                                "このファイルシステムでは上書きせずに名前を変更できません。"}}}) {
        fakeDialogs().reset();
        std::filesystem::remove_all(dir / "p");
        const std::string file = dir.write("p/a.txt", "a");
        syscalls::Overrides mount;
        mount.renameat2 = [](int, const char*, int, const char*, unsigned) { return errno = EINVAL, -1; };
        if (!row.linksWork) mount.linkat = [](int, const char*, int, const char*, int) { return errno = EPERM, -1; };
        syscalls::ScopedOverrides scope(std::move(mount));
        renameAll({file}, "A001");
        EXPECT_EQ(namesIn(dir / "p"), row.names) << row.linksWork;
        EXPECT_EQ(messages(), row.texts) << row.linksWork;
    }
}

// A termination request ends the plan where it came, and the renaming at
// its next entry: the rest stays undone.
TEST_F(BulkRenameTest, ATerminationRequestLeavesTheRestUndone) {
    const Paths rows{dir.write("p/a.txt"), dir.write("p/b.txt"), dir.write("p/c.txt")};
    const NameProbe probe{[](const std::string& p) { return exists(p); },
                          [](const std::string& p) { return exists(p); }};
    int asked = 0;
    const auto plan = planRenames(rows, serialNameRule({"A", "001"}, 3), probe, [&] { return ++asked > 1; });
    EXPECT_EQ(plan.size(), 1u);
    EXPECT_EQ(carryOut(rows, plan).unhandled, 2);
    requestTermination();
    const RenameCounts stopped = carryOut({rows[1]}, {{PlannedName::Step::Rename, dir / "p/B.txt"}});
    clearTerminationRequest();
    EXPECT_EQ(stopped.unhandled, 1);
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"A001.txt", "b.txt", "c.txt"}));
}

TEST_F(BulkRenameTest, AnEmptyListCancelAndTooShortExtensionsDoNothing) {
    renameAll({}, "A001");
    changeExtensions({}, "txt");
    EXPECT_EQ(messages(), (QStringList{"データがありませんよ!", "データがありませんよ!"}));
    fakeDialogs().reset();
    const std::string a = dir.write("p/a.txt");
    fakeDialogs().inputs = {std::nullopt};
    data.setRows({a});
    ReNameAllFileExecute(data, {leftTree, rightTree});
    for (const auto& answer : {std::optional<QString>(), std::optional<QString>("."), std::optional<QString>("j")})
        changeExtensions({a}, answer);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(namesIn(dir / "p"), Paths{"a.txt"});
}

TEST_F(BulkRenameTest, ExtensionChangeReplacesAppendsKeepsEqualOnesAndAvoidsTakenNames) {
    const Paths rows{dir.write("p/a.txt"), dir.write("p/b"), dir.write("p/c."), dir.write("p/d.jpg", "d"),
                     dir.write("p/e.PNG")};
    dir.write("p/d.png", "theirs");
    changeExtensions(rows, "png");
    EXPECT_EQ(fakeDialogs().shown.at(0).caption, QStringLiteral("拡張子を変更します。"));
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"a.png", "b.png", "c.png", "d.png", "d_01.png", "e.PNG"}));
    EXPECT_EQ(readFile(dir / "p/d.png"), "theirs");
    EXPECT_EQ(messages(), QStringList{"終了しました。"});
}

TEST_F(BulkRenameTest, NamesThatWouldLeaveTheFolderRenameNothing) {
    const Paths rows{dir.write("p/a.txt"), dir.write("p/b.txt")};
    renameAll(rows, "../A001");
    changeExtensions(rows, ".x/y");
    EXPECT_EQ(namesIn(dir / "p"), (Paths{"a.txt", "b.txt"}));
    EXPECT_EQ(namesIn(dir.path()), Paths{"p"});
    EXPECT_EQ(messages(), (QStringList{"2個のファイルは処理できませんでした。",
                                       "2個のファイルは処理できませんでした。"}));
}

}  // namespace
