// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Undo and redo as the window runs them: the question, the report, and the
// desktop trash through GIO in the test home.
#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "engine/FileOperation.h"
#include "engine/IFileSystem.h"
#include "engine/UndoJournal.h"
#include "platform/EngineAdapters.h"
#include "platform/MessageBoxIds.h"
#include "support/TestEnvironment.h"
#include "undo/UndoCommands.h"

namespace {

class UndoCommandsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        fakeFileOpUi().reset();
        leftTree.setFileList(&leftFiles);
        rightTree.setFileList(rightFiles.files());
    }
    void recorded(const std::string& name, const std::function<void()>& steps) {
        journal.beginCommand(name);
        {
            CurrentUndoRecorder current(journal.recorder());
            steps();
        }
        journal.endCommand();
    }
    UndoContext context() { return {journal, {leftTree, rightTree}}; }
    QString lastText() const { return fakeDialogs().shown.back().text; }

    TempDir dir;
    UndoJournal journal{dir / "journal"};
    DirectoryListBox leftTree;
    FolderFiles leftFiles;
    DirectoryListBox rightTree;
    FileListBox rightFiles;
    TFileOperation engine = platformFileOperation();
};

}  // namespace

TEST_F(UndoCommandsTest, TheTrashGivesItsItemsBackAndTakesThemAgain) {
    const std::vector<std::string> files = {dir.write("docs/a.txt", "A"), dir.write("docs/b.txt", "B"),
                                            dir.write("docs/sub/c.txt", "C")};
    const std::string sub = dir / "docs/sub";
    fakeFileOpUi().trashAnswers = {true, true};
    recorded("一括削除", [&] {
        engine.DeleteFiles({files[0], files[1]}, false);
        engine.DeleteFolder(sub, false);
    });
    const std::string trash = testHome() + "/XDG_DATA_HOME/Trash";
    ASSERT_FALSE(exists(files[0]));
    ASSERT_TRUE(exists(trash + "/info/a.txt.trashinfo"));
    fakeDialogs().answers = {id::Yes};
    UndoExecute(context());
    EXPECT_TRUE(fakeDialogs().shown.front().text.contains(QStringLiteral("「一括削除」")));
    EXPECT_TRUE(fakeDialogs().shown.front().text.contains(QStringLiteral("3個の項目")));
    EXPECT_EQ(lastText(), QStringLiteral("元に戻しました。"));
    EXPECT_EQ(readFile(files[0]) + readFile(files[1]) + readFile(files[2]), "ABC");
    EXPECT_FALSE(exists(trash + "/info/a.txt.trashinfo"));
    EXPECT_FALSE(exists(trash + "/files/sub"));
    fakeDialogs().answers = {id::Yes};
    RedoExecute(context());
    EXPECT_EQ(lastText(), QStringLiteral("やり直しました。"));
    EXPECT_FALSE(exists(files[0]));
    EXPECT_EQ(readFile(trash + "/files/sub/c.txt"), "C");
    // Undone once more from what the redo recorded.
    fakeDialogs().answers = {id::Yes};
    UndoExecute(context());
    EXPECT_EQ(readFile(files[2]), "C");
}

TEST_F(UndoCommandsTest, RefusedItemsAreListedWithTheirReasonAndTheRestIsDone) {
    const std::string a = dir.write("a.txt", "A");
    const std::string b = dir.write("b.txt", "B");
    dir.mkdir("dst");
    recorded("一括移動", [&] { engine.CopyMoveFiles({a, b}, {}, true, dir / "dst"); });
    dir.write("a.txt", "someone else's");
    fakeDialogs().answers = {id::Yes};
    UndoExecute(context());
    ASSERT_EQ(fakeDialogs().shown.back().kind, FakeDialogs::Kind::ErrorReport);
    EXPECT_TRUE(lastText().startsWith(QStringLiteral("1個の項目は元に戻せませんでした。")));
    EXPECT_TRUE(lastText().contains(QString::fromStdString(a) + QStringLiteral("\r\n    元の場所に別のものがあります。")));
    EXPECT_EQ(readFile(b), "B");
    EXPECT_EQ(readFile(a), "someone else's");
    EXPECT_EQ(readFile(dir / "dst/a.txt"), "A");
}

TEST_F(UndoCommandsTest, AnEraseIsPassedOverNoAnswerChangesNothingAndAnEmptyJournalSaysSo) {
    const std::string kept = dir.write("kept.txt", "K");
    const std::string erased = dir.write("erased.txt", "E");
    recorded("新フォルダ", [&] {
        ASSERT_TRUE(platformFileSystem().makeDirectory(dir / "made"));
        currentUndoRecorder()->record({UndoAction::NewFolder, {}, dir / "made", {}, {}, currentState(dir / "made"), 0});
    });
    recorded("一括消去", [&] { engine.DeleteFiles({erased}, true); });
    UndoExecute(context());
    EXPECT_TRUE(lastText().contains(QStringLiteral("完全に削除したので元に戻せません")));
    fakeDialogs().answers = {id::No};
    UndoExecute(context());
    EXPECT_TRUE(exists(dir / "made"));
    fakeDialogs().answers = {id::Yes};
    UndoExecute(context());
    EXPECT_FALSE(exists(dir / "made"));
    UndoExecute(context());
    EXPECT_EQ(lastText(), QStringLiteral("元に戻せる操作はありません。"));
    EXPECT_EQ(readFile(kept), "K");
}
