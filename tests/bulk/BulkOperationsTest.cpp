// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <sys/stat.h>

#include <QAction>
#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListBox.h"
#include "bulk/BulkOperations.h"
#include "engine/FileOperation.h"
#include "platform/EngineAdapters.h"
#include "engine/OperationOptions.h"
#include "support/RecordingFileOperations.h"
#include "platform/MessageBoxIds.h"
#include "platform/Platform.h"
#include "engine/PosixFileSystem.h"
#include "support/TestEnvironment.h"

namespace {

using Paths = std::vector<std::string>;

const QString kReadOnlyQuestion = QStringLiteral("読み取り専用属性を解除します。");

// The command with the window's parts it acts on: the data list, both trees
// with their file lists, the scratch list and the options.
class BulkOperationsTest : public FileOpsTest {
protected:
    void SetUp() override {
        FileOpsTest::SetUp();
        leftTree.setFileList(&leftFiles);
        rightTree.setFileList(rightFiles.files());
        dest = dir.mkdir("dest");
        rightTree.setDirectory(dest);
        fakeDialogs().reset();
    }

    std::string readOnly(const std::string& relative, const std::string& content = "x") {
        const std::string p = dir.write(relative, content);
        ::chmod(p.c_str(), 0444);
        return p;
    }
    void run(BulkAction action, Paths rows) {
        dataList.list()->setRows(std::move(rows));
        File_Operation(action, {dataList, rightTree.directory(), options, scratch, engine,
                                {leftTree, rightTree}});
    }
    const Paths& dataRows() const { return dataList.list()->rows(); }

    TempDir dir;
    std::string dest;
    PathListBox dataList{nullptr, true};
    DirectoryListBox leftTree;
    FolderFiles leftFiles;
    DirectoryListBox rightTree;
    FileListBox rightFiles;
    std::vector<std::string> scratch;
    OperationOptions options;
    TFileOperation engine = platformFileOperation();
};

TEST_F(BulkOperationsTest, EmptyDataListAndForeignCallersDoNothing) {
    run(BulkAction::FileCopy, {});
    run(BulkAction::Other, {dir.write("a")});
    run(BulkAction::Other, {dir.write("a")});
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"データがありませんよ!", "予定外の呼び出しです(File_Operation)。",
                           "予定外の呼び出しです(File_Operation)。"}));
    EXPECT_TRUE(service.calls.empty());
}

// A failure in the middle of a run must not leave the scratch list claimed:
// every later copy would then find it busy.
TEST_F(BulkOperationsTest, AnUnexpectedFailureIsReportedAndReleasesTheScratchList) {
    struct ThrowingAttributes : PosixFileSystem {
        std::optional<unsigned> attributes(const std::string&) override {
            throw std::runtime_error("attributes");
        }
    } throwing;
    const auto a = readOnly("src/a.txt");
    options = {OperationOption::ClearReadOnlyOnCopy};
    {
        Platform replacement;
        replacement.fileSystem = &throwing;
        ScopedPlatform scope(replacement);
        run(BulkAction::FileCopy, {a});
    }
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"File_Operation"});
    EXPECT_TRUE(service.calls.empty());
    EXPECT_TRUE(scratch.empty());
}

TEST_F(BulkOperationsTest, CopySortsDropsExactDuplicatesAndKeepsCaseVariants) {
    const auto b = dir.write("src/b.txt");
    const auto a = dir.write("src/a.txt");
    const auto upper = dir.write("src/A.txt");
    run(BulkAction::FileCopy, {b, a, upper, a});
    ASSERT_EQ(service.calls.size(), 1u);
    const auto& call = service.calls[0];
    EXPECT_EQ(call.kind, JobKind::Copy);
    EXPECT_EQ(call.sources, (Paths{upper, a, b}));
    EXPECT_EQ(call.targetFolder, dest);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"1個のファイルは重複していました。"});
    EXPECT_EQ(dataRows(), (Paths{b, a, upper, a}));
    EXPECT_EQ((&dataList)->currentRow(), 0);
    EXPECT_TRUE(exists(dest + "/A.txt"));
}

TEST_F(BulkOperationsTest, SummaryListsDuplicatesBeforeUnprocessed) {
    const auto a = dir.write("src/a");
    run(BulkAction::FileCopy, {a, dir / "src/gone1", a, dir / "src/gone2"});
    ASSERT_EQ(fakeDialogs().texts(),
              QStringList{"1個のファイルは重複していました。\r\n2個のファイルは処理できませんでした。"});
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::Ok);
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
}

// Items the job failed or a cancel left count as not processed (a move
// cancelled at a full disk); an item the user chose to keep does not.
TEST_F(BulkOperationsTest, FailedAndCancelledItemsAreReportedNotProcessed) {
    const auto a = dir.write("src/a");
    const auto b = dir.write("src/b");
    const auto c = dir.write("src/c");
    service.performForReal = false;
    struct Case {
        BulkAction action;
        std::vector<ItemStatus> statuses;
        QStringList texts;
    };
    for (const Case& k : {
             Case{BulkAction::FileMove, {ItemStatus::Done, ItemStatus::Failed, ItemStatus::Cancelled},
                  {"2個のファイルは処理できませんでした。"}},
             Case{BulkAction::FileCopy, {ItemStatus::Skipped, ItemStatus::Done, ItemStatus::Done}, {}},
             Case{BulkAction::FileDelete, {ItemStatus::Cancelled, ItemStatus::Cancelled, ItemStatus::Done},
                  {"2個のファイルは処理できませんでした。"}},
         }) {
        fakeDialogs().reset();
        service.statuses = k.statuses;
        run(k.action, {a, b, c});
        EXPECT_EQ(fakeDialogs().texts(), k.texts) << int(k.action);
    }
}

TEST_F(BulkOperationsTest, CopiesOfReadOnlyFilesAreClearedAfterAQuestion) {
    options = {OperationOption::ClearReadOnlyOnCopy, OperationOption::CallRemoveReadOnly};
    const auto ro = readOnly("src/ro");
    const auto plain = dir.write("src/plain");
    Paths scratchDuringCopy;
    service.onPerform = [&](const auto&) { scratchDuringCopy = scratch; };
    fakeDialogs().answers = {id::Yes};
    run(BulkAction::FileCopy, {ro, plain});
    EXPECT_EQ(scratchDuringCopy, Paths{dest + "/ro"});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kReadOnlyQuestion});
    EXPECT_TRUE(ownerWritable(dest + "/ro"));
    EXPECT_FALSE(ownerWritable(ro));
    EXPECT_TRUE(scratch.empty());

    // No keeps the copy read-only and adds nothing to the summary.
    fakeDialogs().reset();
    fakeDialogs().answers = {id::No};
    const auto dest2 = dir.mkdir("dest2");
    (&rightTree)->setDirectory(dest2);
    run(BulkAction::FileCopy, {ro});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kReadOnlyQuestion});
    EXPECT_FALSE(ownerWritable(dest2 + "/ro"));
    EXPECT_TRUE(scratch.empty());
}

TEST_F(BulkOperationsTest, ClearingWithoutQuestionAndNeverWhenTheOptionIsOff) {
    const auto ro = readOnly("src/ro");
    options = {OperationOption::CallRemoveReadOnly};  // without its partner bit
    run(BulkAction::FileCopy, {ro});
    EXPECT_FALSE(ownerWritable(dest + "/ro"));
    EXPECT_TRUE(fakeDialogs().shown.empty());

    options = {OperationOption::ClearReadOnlyOnCopy};
    const auto moved = readOnly("src/moved");
    run(BulkAction::FileMove, {moved});
    EXPECT_TRUE(ownerWritable(dest + "/moved"));
    EXPECT_FALSE(exists(moved));
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

// A target the user chose to keep (or one that failed) is not made writable.
TEST_F(BulkOperationsTest, OnlyCopiesTheServiceMadeAreCleared) {
    const auto kept = readOnly("src/kept.txt");
    const auto made = readOnly("src/made.txt");
    const auto existing = dir.write("dest/kept.txt", "mine");
    ::chmod(existing.c_str(), 0444);
    options = {OperationOption::ClearReadOnlyOnCopy};
    service.performForReal = false;
    dir.write("dest/made.txt", "copy");
    ::chmod((dest + "/made.txt").c_str(), 0444);
    service.statuses = {ItemStatus::Skipped, ItemStatus::Done};
    run(BulkAction::FileCopy, {kept, made});
    EXPECT_FALSE(ownerWritable(existing));
    EXPECT_TRUE(ownerWritable(dest + "/made.txt"));
}

TEST_F(BulkOperationsTest, RenamedCopiesAreClearedNotTheFilesTheyAvoided) {
    options = {OperationOption::ClearReadOnlyOnCopy, OperationOption::RenameOnCollision};
    const auto ro = readOnly("src/x.txt", "new");
    const auto existing = readOnly("dest/x.txt", "old");
    run(BulkAction::FileCopy, {ro});
    EXPECT_EQ(service.calls.at(0).targets, Paths{dest + "/x_01.txt"});
    EXPECT_EQ(readFile(dest + "/x_01.txt"), "new");
    EXPECT_TRUE(ownerWritable(dest + "/x_01.txt"));
    EXPECT_FALSE(ownerWritable(existing));
}

// A list of exactly the limit is handed on and its copies cleared; one entry
// more is refused and clears nothing.
TEST_F(BulkOperationsTest, AtTheLimitCopiesAreClearedAboveItTheListIsRefused) {
    options = {OperationOption::ClearReadOnlyOnCopy, OperationOption::CallRemoveReadOnly};
    struct Case {
        int entries;
        bool cleared;
        QStringList texts;
    };
    for (const Case& c : {Case{32768, true, {kReadOnlyQuestion, "32767個のファイルは処理できませんでした。"}},
                          Case{32769, false, {"許容数(32768)を超えています。"}}}) {
        fakeDialogs().reset();
        fakeDialogs().answers = {id::Yes};
        const auto existing = readOnly("dest/x.txt");
        Paths rows{readOnly("src/x.txt")};
        for (int i = 1; i < c.entries; ++i) rows.push_back(dir / ("src/missing" + std::to_string(i)));
        run(BulkAction::FileCopy, rows);
        EXPECT_EQ(fakeDialogs().texts(), c.texts) << c.entries;
        EXPECT_EQ(ownerWritable(existing), c.cleared) << c.entries;
        EXPECT_TRUE(scratch.empty());
    }
}

TEST_F(BulkOperationsTest, ABusyScratchListIsLeftToItsOwner) {
    options = {OperationOption::ClearReadOnlyOnCopy, OperationOption::CallRemoveReadOnly};
    scratch = {"/elsewhere/held"};
    run(BulkAction::FileCopy, {readOnly("src/ro")});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"読み取り専用属性の解除操作は実行できませんでした。"});
    EXPECT_FALSE(ownerWritable(dest + "/ro"));
    EXPECT_EQ(scratch, Paths{"/elsewhere/held"});

    // Without read-only sources there is nothing to report; delete never
    // touches the list either.
    fakeDialogs().reset();
    run(BulkAction::FileCopy, {dir.write("src/plain")});
    run(BulkAction::FileDelete, {dir.write("src/del")});
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_EQ(scratch, Paths{"/elsewhere/held"});
}

TEST_F(BulkOperationsTest, AtTheRootThePrefixIsNotDoubled) {
    ASSERT_TRUE((&rightTree)->setDirectory("/"));
    ASSERT_EQ((&rightTree)->currentEntry(), 0);
    options = {OperationOption::ClearReadOnlyOnCopy};
    service.performForReal = false;
    Paths scratchDuringCopy;
    service.onPerform = [&](const auto&) { scratchDuringCopy = scratch; };
    run(BulkAction::FileCopy, {readOnly("src/dorvan-root-probe")});
    EXPECT_EQ(scratchDuringCopy, Paths{"/dorvan-root-probe"});
    EXPECT_EQ(service.calls.at(0).targetFolder, "/");
    // The copy was not made, so clearing it fails.
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"1個のファイルは処理できませんでした。",
                           "1個のファイルの読み取り専用属性は解除できませんでした。"}));
}

TEST_F(BulkOperationsTest, EraseAsksFirstAndLeavesTheDataListAlone) {
    const auto a = dir.write("src/a");
    const auto b = dir.write("src/b");
    fakeDialogs().answers = {id::No};
    run(BulkAction::FileErase, {b, a});
    ASSERT_EQ(fakeDialogs().texts(), QStringList{"ファイルを消去します。"});
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::YesNo | mb::IconInformation);
    EXPECT_TRUE(service.calls.empty());

    fakeDialogs().reset();
    fakeDialogs().answers = {id::Yes};
    run(BulkAction::FileErase, {b, a});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"ファイルを消去します。"});
    EXPECT_EQ(service.calls.at(0).kind, JobKind::Erase);
    EXPECT_EQ(service.calls.at(0).options, JobOption::NoConfirmation);
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(dataRows(), (Paths{b, a}));

    fakeDialogs().reset();
    run(BulkAction::FileDelete, {b, a});
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"ファイルが見つかりませんでした。", "2個のファイルは処理できませんでした。"}));
}

TEST_F(BulkOperationsTest, CancelAtAnEraseWarningReportsEveryEntry) {
    const auto hidden = dir.write("src/.h");
    const auto plain = dir.write("src/p");
    fakeDialogs().answers = {id::Yes, id::Cancel};
    run(BulkAction::FileErase, {plain, hidden, hidden});
    ASSERT_EQ(fakeDialogs().texts().size(), 3);
    EXPECT_EQ(fakeDialogs().texts()[1],
              QString::fromStdString(hidden) + QStringLiteral("\r\nは隠しファイルです。\r\n消去しますか?"));
    EXPECT_EQ(fakeDialogs().texts()[2],
              QStringLiteral("1個のファイルは重複していました。\r\n2個のファイルは処理できませんでした。"));
    EXPECT_TRUE(exists(hidden));
    EXPECT_TRUE(exists(plain));
}

TEST_F(BulkOperationsTest, PanesShowTheResultAfterCopyMoveAndDelete) {
    const auto src = dir.mkdir("src");
    const auto a = dir.write("src/a.txt");
    const auto b = dir.write("src/b.txt");
    ASSERT_TRUE((&leftTree)->setDirectory(src));
    EXPECT_TRUE(rightFiles.list()->empty());

    run(BulkAction::FileCopy, {a});
    EXPECT_EQ(rightFiles.list()->rows(), Paths{"a.txt"});

    run(BulkAction::FileMove, {b});
    EXPECT_EQ(rightFiles.list()->rows(), (Paths{"a.txt", "b.txt"}));
    EXPECT_EQ((&leftTree)->directory(), src);
    EXPECT_EQ(leftFiles.names(), Paths{"a.txt"});

    run(BulkAction::FileDelete, {a});
    EXPECT_TRUE(leftFiles.names().empty());
    EXPECT_EQ((&rightTree)->directory(), dest);
    EXPECT_EQ(dataRows(), Paths{a});
}

}  // namespace
