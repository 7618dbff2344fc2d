// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hierarchy-keeping copy and move on real folders, through the real
// file-operation service; the recording service where the request itself
// is checked.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListBox.h"
#include "engine/FileOperation.h"
#include "platform/EngineAdapters.h"
#include "engine/OperationOptions.h"
#include "hierarchy/ClassKeepingOperation.h"
#include "hierarchy/DestFolders.h"
#include "hierarchy/HierarchyPlan.h"
#include "platform/MessageBoxIds.h"
#include "support/RecordingFileOperations.h"
#include "support/TestEnvironment.h"

namespace {

using Paths = std::vector<std::string>;
namespace fs = std::filesystem;

class ClassKeepingTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        fakeFileOpUi().reset();
        leftTree.setFileList(&leftFiles);
        rightTree.setFileList(rightFiles.files());
        dest = dir.mkdir("dest");
        rightTree.setDirectory(dest);
        fakeDialogs().reset();
    }

    // Runs the command with the base level chosen as folder (nullopt: Cancel).
    void run(HierarchyAction action, Paths rows, std::optional<std::string> level) {
        if (level) {
            const Paths levels = FillBaseLevels(rows);
            const auto at = std::find(levels.begin(), levels.end(), *level);
            ASSERT_NE(at, levels.end()) << *level;
            fakeDialogs().baseLevels = {int(at - levels.begin())};
        } else {
            fakeDialogs().baseLevels = {std::nullopt};
        }
        dataList.list()->setRows(std::move(rows));
        ClassKeeping_File_Operation(action, {dataList, rightTree.directory(), options, scratch,
                                             engine, {leftTree, rightTree}});
    }
    void copy(Paths rows, std::optional<std::string> level) {
        run(HierarchyAction::ClassKeepingFileCopy, std::move(rows), std::move(level));
    }
    // The message boxes only, without the dialogs.
    QStringList messages() const {
        QStringList t;
        for (const auto& s : fakeDialogs().shown)
            if (s.kind == FakeDialogs::Kind::MessageBox) t << s.text;
        return t;
    }

    TempDir dir;
    std::string dest;
    PathListBox dataList{nullptr, true};
    DirectoryListBox leftTree;
    FolderFiles leftFiles;
    DirectoryListBox rightTree;
    FileListBox rightFiles;
    std::vector<std::string> scratch;
    OperationOptions options{OperationOption::NonConfirmMkDir};
    TFileOperation engine = platformFileOperation();
};

TEST_F(ClassKeepingTest, TheTreeBelowTheChosenLevelIsRebuiltInTheDestination) {
    const std::string music = dir / "src/Music";
    const Paths rows{dir.write("src/Music/Rock/a.mp3", "a"), dir.write("src/Music/Jazz/b.mp3", "b"),
                     dir.write("src/Music/Rock/Live/c.mp3", "c")};
    copy(rows, music);
    ASSERT_FALSE(fakeDialogs().levels.empty());
    EXPECT_EQ(fakeDialogs().levels.front(), "/");
    EXPECT_EQ(fakeDialogs().levels.back(), music);
    EXPECT_EQ(readFile(dest + "/Rock/a.mp3"), "a");
    EXPECT_EQ(readFile(dest + "/Jazz/b.mp3"), "b");
    EXPECT_EQ(readFile(dest + "/Rock/Live/c.mp3"), "c");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(dataList.list()->rows(), rows);
    EXPECT_EQ(dataList.currentRow(), 0);

    // The root as the base keeps each file's whole path.
    const std::string dest2 = dir.mkdir("dest2");
    rightTree.setDirectory(dest2);
    copy(rows, "/");
    EXPECT_EQ(readFile(dest2 + music + "/Rock/Live/c.mp3"), "c");

    // A single file's own folder puts it straight into the destination.
    const std::string single = dir.write("src/one/x.txt", "x");
    copy({single}, dir / "src/one");
    EXPECT_EQ(readFile(dest2 + "/x.txt"), "x");
}

TEST_F(ClassKeepingTest, MoveTakesTheFilesAlongAndRefreshesBothPanes) {
    const std::string src = dir.mkdir("src");
    const std::string a = dir.write("src/a.txt", "a");
    const std::string b = dir.write("src/sub/b.txt", "b");
    leftTree.setDirectory(src);
    ASSERT_EQ(leftFiles.names(), Paths{"a.txt"});
    run(HierarchyAction::ClassKeepingFileMove, {a, b}, src);
    EXPECT_FALSE(exists(a));
    EXPECT_FALSE(exists(b));
    EXPECT_EQ(readFile(dest + "/sub/b.txt"), "b");
    EXPECT_TRUE(leftFiles.names().empty());
    EXPECT_EQ(rightFiles.list()->rows(), Paths{"a.txt"});
}

// Without NonConfirmMkDir no folder is made before the request: the service
// asks for each one.
TEST_F(ClassKeepingTest, WithoutTheOptionTheServiceAsksBeforeMakingFolders) {
    options = {};
    const std::string src = dir / "src";
    fakeFileOpUi().createFolderAnswers = {true};
    copy({dir.write("src/deep/a.txt", "a")}, src);
    EXPECT_EQ(fakeFileOpUi().count(FakeFileOpUi::Kind::CreateFolder), 1u);
    EXPECT_EQ(readFile(dest + "/deep/a.txt"), "a");
}

TEST_F(ClassKeepingTest, TargetsNeverLeaveTheDestination) {
    const std::string music = dir / "src/Music";
    const std::string outside = dir.write("outside.txt", "keep");
    const std::string linked = dir.write("elsewhere/f.txt", "f");
    dir.write("src/Music/Rock/a.mp3", "a");
    fs::create_directory_symlink(dir / "elsewhere", music + "/link");
    const Paths rows{music + "/Rock/a.mp3",
                     music + "/Rock/../../../outside.txt",  // names an existing file
                     music + "/link/f.txt"};                 // through a linked folder
    copy(rows, music);
    EXPECT_EQ(messages(), QStringList{"1個のファイルは処理できませんでした。"});
    EXPECT_EQ(readFile(dest + "/Rock/a.mp3"), "a");
    EXPECT_EQ(readFile(dest + "/link/f.txt"), "f");
    EXPECT_FALSE(fs::is_symlink(dest + "/link"));
    EXPECT_EQ(readFile(outside), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "elsewhere"), {}), 1);
    EXPECT_EQ(readFile(linked), "f");
}

TEST_F(ClassKeepingTest, SummaryAndReadOnlyCopiesAsInTheBulkCommands) {
    options = {OperationOption::NonConfirmMkDir, OperationOption::ClearReadOnlyOnCopy,
               OperationOption::CallRemoveReadOnly};
    const std::string a = dir.write("src/sub/a.txt");
    const std::string locked = dir.write("src/sub/locked.txt", "l");
    ::chmod(locked.c_str(), 0444);
    fakeDialogs().answers = {id::Yes};
    copy({a, locked, a, dir / "src/gone/x.txt"}, dir / "src");
    EXPECT_EQ(messages(), (QStringList{"読み取り専用属性を解除します。",
                                       "1個のファイルは重複していました。\r\n"
                                       "1個のファイルは処理できませんでした。"}));
    EXPECT_FALSE(exists(dest + "/gone"));  // no folder for a missing file
    EXPECT_TRUE(ownerWritable(dest + "/sub/locked.txt"));
    EXPECT_FALSE(ownerWritable(locked));
    EXPECT_TRUE(scratch.empty());
}

TEST_F(ClassKeepingTest, NothingHappensWithoutDataChoiceOrKnownCaller) {
    const std::string a = dir.write("src/sub/a.txt");
    fakeDialogs().baseLevels = {};
    dataList.list()->setRows({});
    ClassKeeping_File_Operation(HierarchyAction::ClassKeepingFileCopy,
                                {dataList, dest, options, scratch, engine, {leftTree, rightTree}});
    run(HierarchyAction::Other, {a}, std::nullopt);
    copy({a}, std::nullopt);  // cancelled
    EXPECT_EQ(messages(), (QStringList{"データがありませんよ!", "予定外の呼び出しです(File_Operation)。"}));
    EXPECT_TRUE(fs::is_empty(dest));

    fakeDialogs().reset();
    fakeDialogs().baseLevels = {7};  // no such level
    dataList.list()->setRows({a});
    ClassKeeping_File_Operation(HierarchyAction::ClassKeepingFileCopy,
                                {dataList, dest, options, scratch, engine, {leftTree, rightTree}});
    EXPECT_EQ(messages(), QStringList{"ClassKeeping_File_Operation Error(1)"});
    EXPECT_TRUE(fs::is_empty(dest));
}

// With the destination on the base folder every target is its own source:
// the service refuses each one and nothing is lost.
TEST_F(ClassKeepingTest, MovingOntoItselfLosesNothing) {
    const std::string src = dir.mkdir("src");
    const std::string a = dir.write("src/sub/a.txt", "a");
    rightTree.setDirectory(src);
    fakeFileOpUi().errorAnswers = {IFileOpUi::ErrorChoice::Skip};
    run(HierarchyAction::ClassKeepingFileMove, {a}, src);
    EXPECT_EQ(readFile(a), "a");
    EXPECT_EQ(fakeFileOpUi().count(FakeFileOpUi::Kind::Error), 1u);
}

class ClassKeepingRequestTest : public ClassKeepingTest {
protected:
    void SetUp() override {
        ClassKeepingTest::SetUp();
        Platform replacement;
        replacement.fileOperations = &service;
        scoped_.emplace(replacement);
    }
    void TearDown() override { scoped_.reset(); }

    RecordingFileOperations service;

private:
    std::optional<ScopedPlatform> scoped_;
};

// One target per file and only these two flags, whatever the options say;
// the folders exist before the request, even if the user then cancels it.
TEST_F(ClassKeepingRequestTest, PerFileTargetsFoldersMadeBeforehand) {
    options = OperationOptions::fromBits(0x3F);
    const std::string src = dir / "src";
    const Paths rows{dir.write("src/B/b.txt"), dir.write("src/A/deep/a.txt")};
    bool madeBefore = false;
    service.performForReal = false;
    service.onPerform = [&](const auto&) {
        madeBefore = fs::is_directory(dest + "/A/deep") && fs::is_directory(dest + "/B");
    };
    copy(rows, src);
    ASSERT_EQ(service.calls.size(), 1u);
    EXPECT_EQ(service.calls[0].kind, JobKind::Copy);
    EXPECT_EQ(service.calls[0].options, JobOptions{});
    EXPECT_EQ(service.calls[0].sources, (Paths{rows[1], rows[0]}));
    EXPECT_EQ(service.calls[0].targets, (Paths{dest + "/A/deep/a.txt", dest + "/B/b.txt"}));
    EXPECT_TRUE(madeBefore);
}

TEST_F(ClassKeepingRequestTest, AFolderThatCannotBeMadeStopsTheMakingNotTheRequest) {
    dir.write("dest/A", "a file in the way");
    copy({dir.write("src/A/a.txt"), dir.write("src/B/b.txt")}, dir / "src");
    EXPECT_EQ(messages(), QStringList{"preMake_DestFolders Error(Mk_Dir)"});
    EXPECT_FALSE(exists(dest + "/B"));
    EXPECT_EQ(service.calls.size(), 1u);
}

// Folders are made for a list the engine takes, up to its very limit.
TEST_F(ClassKeepingRequestTest, FoldersMadeUpToTheEntryLimitOnly) {
    service.performForReal = false;
    for (const int count : {TFileOperation::MaxEntries, TFileOperation::MaxEntries + 1}) {
        const std::string src = dir / ("src" + std::to_string(count));
        Paths rows{dir.write("src" + std::to_string(count) + "/A/a.txt")};
        for (int k = 1; k < count; ++k) rows.push_back(src + "/B/missing" + std::to_string(k));
        copy(std::move(rows), src);
        EXPECT_EQ(exists(dest + "/A"), count == TFileOperation::MaxEntries) << count;
        fs::remove_all(dest + "/A");
    }
}

TEST(PreMakeDestFolders, AVanishedDestinationIsNotMadeAnew) {
    TempDir dir;
    const std::string gone = dir / "unmounted/Backup";
    EXPECT_EQ(preMake_DestFolders({gone + "/A/x.txt"}, gone), 0);
    EXPECT_FALSE(exists(dir / "unmounted"));
    EXPECT_EQ(preMake_DestFolders({dir / "A/B/x.txt", dir / "A/y.txt", ""}, dir.path()), 2);
    EXPECT_TRUE(exists(dir / "A/B"));
}

}  // namespace

