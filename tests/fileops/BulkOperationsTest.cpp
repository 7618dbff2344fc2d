#include <sys/stat.h>

#include <QAction>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "fileops/BulkOperations.h"
#include "fileops/FileOperationOptions.h"
#include "fileops/RecordingFileOperations.h"
#include "platform/MessageBoxIds.h"
#include "support/TestEnvironment.h"

namespace {

using Paths = std::vector<std::string>;

const QString kReadOnlyQuestion = QStringLiteral("読み取り専用属性を解除します。");

class BulkOperationsTest : public FileOpsTest {
protected:
    void SetUp() override {
        FileOpsTest::SetUp();
        form = std::make_unique<TCopyForm>();
        dest = dir.mkdir("dest");
        form->DirectoryListBox2->setDirectory(dest);
        form->FileOperationOptions = 0;
        fakeDialogs().reset();
    }
    void TearDown() override {
        form.reset();
        FileOpsTest::TearDown();
    }

    std::string readOnly(const std::string& relative, const std::string& content = "x") {
        const std::string p = dir.write(relative, content);
        ::chmod(p.c_str(), 0444);
        return p;
    }
    void run(const char* action, Paths rows) {
        form->DataListBox->list()->setRows(std::move(rows));
        form->action(action)->trigger();
    }
    const Paths& dataRows() const { return form->DataListBox->list()->rows(); }

    TempDir dir;
    std::string dest;
    std::unique_ptr<TCopyForm> form;
};

TEST_F(BulkOperationsTest, EmptyDataListAndForeignCallersDoNothing) {
    run("FileCopy", {});
    form->DataListBox->list()->setRows({dir.write("a")});
    form->bulk().File_Operation(form->action("FolderNew"));
    form->bulk().File_Operation(nullptr);
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"データがありませんよ!", "予定外の呼び出しです(File_Operation)。",
                           "予定外の呼び出しです(File_Operation)。"}));
    EXPECT_TRUE(service.calls.empty());
}

TEST_F(BulkOperationsTest, CopySortsDropsExactDuplicatesAndKeepsCaseVariants) {
    const auto b = dir.write("src/b.txt");
    const auto a = dir.write("src/a.txt");
    const auto upper = dir.write("src/A.txt");
    run("FileCopy", {b, a, upper, a});
    ASSERT_EQ(service.calls.size(), 1u);
    const auto& call = service.calls[0];
    EXPECT_EQ(call.func, fo::Copy);
    EXPECT_EQ(call.owner, form.get());
    EXPECT_EQ(call.from, (Paths{upper, a, b}));
    EXPECT_EQ(call.to, Paths{dest});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"1個のファイルは重複していました。"});
    EXPECT_EQ(dataRows(), (Paths{b, a, upper, a}));
    EXPECT_EQ(form->DataListBox->currentRow(), 0);
    EXPECT_TRUE(exists(dest + "/A.txt"));
}

TEST_F(BulkOperationsTest, SummaryListsDuplicatesBeforeUnprocessed) {
    const auto a = dir.write("src/a");
    run("FileCopy", {a, dir / "src/gone1", a, dir / "src/gone2"});
    ASSERT_EQ(fakeDialogs().texts(),
              QStringList{"1個のファイルは重複していました。\r\n2個のファイルは処理できませんでした。"});
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::Ok);
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
}

TEST_F(BulkOperationsTest, CopiesOfReadOnlyFilesAreClearedAfterAQuestion) {
    form->FileOperationOptions = fopt::ClearReadOnlyOnCopy | fopt::CallRemoveReadOnly;
    const auto ro = readOnly("src/ro");
    const auto plain = dir.write("src/plain");
    Paths scratchDuringCopy;
    service.onPerform = [&](const auto&) { scratchDuringCopy = form->OpenDialogListBox->list()->rows(); };
    fakeDialogs().answers = {id::Yes};
    run("FileCopy", {ro, plain});
    EXPECT_EQ(scratchDuringCopy, Paths{dest + "/ro"});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kReadOnlyQuestion});
    EXPECT_TRUE(ownerWritable(dest + "/ro"));
    EXPECT_FALSE(ownerWritable(ro));
    EXPECT_TRUE(form->OpenDialogListBox->list()->empty());

    // No keeps the copy read-only and adds nothing to the summary.
    fakeDialogs().reset();
    fakeDialogs().answers = {id::No};
    const auto dest2 = dir.mkdir("dest2");
    form->DirectoryListBox2->setDirectory(dest2);
    run("FileCopy", {ro});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kReadOnlyQuestion});
    EXPECT_FALSE(ownerWritable(dest2 + "/ro"));
    EXPECT_TRUE(form->OpenDialogListBox->list()->empty());
}

TEST_F(BulkOperationsTest, ClearingWithoutQuestionAndNeverWhenTheOptionIsOff) {
    const auto ro = readOnly("src/ro");
    form->FileOperationOptions = fopt::CallRemoveReadOnly;  // without its partner bit
    run("FileCopy", {ro});
    EXPECT_FALSE(ownerWritable(dest + "/ro"));
    EXPECT_TRUE(fakeDialogs().shown.empty());

    form->FileOperationOptions = fopt::ClearReadOnlyOnCopy;
    const auto moved = readOnly("src/moved");
    run("FileMove", {moved});
    EXPECT_TRUE(ownerWritable(dest + "/moved"));
    EXPECT_FALSE(exists(moved));
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(BulkOperationsTest, RenamedCopiesAreClearedNotTheFilesTheyAvoided) {
    form->FileOperationOptions = fopt::ClearReadOnlyOnCopy | fopt::RenameOnCollision;
    const auto ro = readOnly("src/x.txt", "new");
    const auto existing = readOnly("dest/x.txt", "old");
    run("FileCopy", {ro});
    EXPECT_EQ(service.calls.at(0).to, Paths{dest + "/x_01.txt"});
    EXPECT_EQ(readFile(dest + "/x_01.txt"), "new");
    EXPECT_TRUE(ownerWritable(dest + "/x_01.txt"));
    EXPECT_FALSE(ownerWritable(existing));
}

TEST_F(BulkOperationsTest, ARefusedListClearsNothing) {
    form->FileOperationOptions = fopt::ClearReadOnlyOnCopy | fopt::CallRemoveReadOnly;
    const auto existing = readOnly("dest/x.txt");
    Paths rows{readOnly("src/x.txt")};
    for (int i = 0; i < 32768; ++i) rows.push_back(dir / ("src/missing" + std::to_string(i)));
    run("FileCopy", rows);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"許容数(32768)を超えています。"});
    EXPECT_FALSE(ownerWritable(existing));
    EXPECT_TRUE(form->OpenDialogListBox->list()->empty());
}

TEST_F(BulkOperationsTest, ABusyScratchListIsLeftToItsOwner) {
    form->FileOperationOptions = fopt::ClearReadOnlyOnCopy | fopt::CallRemoveReadOnly;
    form->OpenDialogListBox->list()->setRows({"/elsewhere/held"});
    run("FileCopy", {readOnly("src/ro")});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"読み取り専用属性の解除操作は実行できませんでした。"});
    EXPECT_FALSE(ownerWritable(dest + "/ro"));
    EXPECT_EQ(form->OpenDialogListBox->list()->rows(), Paths{"/elsewhere/held"});

    // Without read-only sources there is nothing to report; delete never
    // touches the list either.
    fakeDialogs().reset();
    run("FileCopy", {dir.write("src/plain")});
    run("FileDelete", {dir.write("src/del")});
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_EQ(form->OpenDialogListBox->list()->rows(), Paths{"/elsewhere/held"});
}

TEST_F(BulkOperationsTest, AtTheRootThePrefixIsNotDoubled) {
    ASSERT_TRUE(form->DirectoryListBox2->setDirectory("/"));
    ASSERT_EQ(form->DirectoryListBox2->currentEntry(), 0);
    form->FileOperationOptions = fopt::ClearReadOnlyOnCopy;
    service.performForReal = false;
    Paths scratchDuringCopy;
    service.onPerform = [&](const auto&) { scratchDuringCopy = form->OpenDialogListBox->list()->rows(); };
    run("FileCopy", {readOnly("src/dorvan-root-probe")});
    EXPECT_EQ(scratchDuringCopy, Paths{"/dorvan-root-probe"});
    EXPECT_EQ(service.calls.at(0).to, Paths{"/"});
    // The copy was not made, so clearing it fails.
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"1個のファイルは処理できませんでした。",
                           "1個のファイルの読み取り専用属性は解除できませんでした。"}));
}

TEST_F(BulkOperationsTest, EraseAsksFirstAndLeavesTheDataListAlone) {
    const auto a = dir.write("src/a");
    const auto b = dir.write("src/b");
    form->action("FileErase")->setEnabled(true);
    fakeDialogs().answers = {id::No};
    run("FileErase", {b, a});
    ASSERT_EQ(fakeDialogs().texts(), QStringList{"ファイルを消去します。"});
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::YesNo | mb::IconInformation);
    EXPECT_TRUE(service.calls.empty());

    fakeDialogs().reset();
    fakeDialogs().answers = {id::Yes};
    run("FileErase", {b, a});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"ファイルを消去します。"});
    EXPECT_EQ(service.calls.at(0).flags, fof::NoConfirmation);
    EXPECT_FALSE(exists(a));
    EXPECT_EQ(dataRows(), (Paths{b, a}));

    fakeDialogs().reset();
    run("FileDelete", {b, a});
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"ファイルが見つかりませんでした。", "2個のファイルは処理できませんでした。"}));
}

TEST_F(BulkOperationsTest, CancelAtAnEraseWarningReportsEveryEntry) {
    const auto hidden = dir.write("src/.h");
    const auto plain = dir.write("src/p");
    form->action("FileErase")->setEnabled(true);
    fakeDialogs().answers = {id::Yes, id::Cancel};
    run("FileErase", {plain, hidden, hidden});
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
    ASSERT_TRUE(form->DirectoryListBox1->setDirectory(src));
    EXPECT_TRUE(form->FileListBox2->list()->empty());

    run("FileCopy", {a});
    EXPECT_EQ(form->FileListBox2->list()->rows(), Paths{"a.txt"});

    run("FileMove", {b});
    EXPECT_EQ(form->FileListBox2->list()->rows(), (Paths{"a.txt", "b.txt"}));
    EXPECT_EQ(form->DirectoryListBox1->directory(), src);
    EXPECT_EQ(form->FileListBox1->list()->rows(), Paths{"a.txt"});

    run("FileDelete", {a});
    EXPECT_TRUE(form->FileListBox1->list()->empty());
    EXPECT_EQ(form->DirectoryListBox2->directory(), dest);
    EXPECT_EQ(dataRows(), Paths{a});
}

}  // namespace
