// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The folder commands on real folders; deletion through the real
// file-operation service into the test home's trash.
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderFiles.h"
#include "engine/PosixFileSystem.h"
#include "engine/FileOperation.h"
#include "platform/EngineAdapters.h"
#include "folders/FolderCommands.h"
#include "platform/MessageBoxIds.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxVolumeInfo.h"
#include "support/TestEnvironment.h"

namespace {

using Paths = std::vector<std::string>;
namespace fs = std::filesystem;

const QString kNewFolderCaption = QStringLiteral(" フォルダの新規作成");

class FolderCommandsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        fakeFileOpUi().reset();
        leftTree.setFileList(&leftFiles);
        rightTree.setFileList(rightFiles.files());
        base = dir.mkdir("base");
        rightTree.setDirectory(base);
    }

    void newFolder(std::optional<QString> answer) {
        fakeDialogs().inputs = {answer};
        FolderNewExecute(rightTree);
    }
    void deleteFolder(FolderAction action = FolderAction::FolderDelete) {
        FolderDeleteExecute(action, {leftTree, rightTree}, engine);
    }

    TempDir dir;
    std::string base;
    DirectoryListBox leftTree;
    FolderFiles leftFiles;
    DirectoryListBox rightTree;
    FileListBox rightFiles;
    TFileOperation engine = platformFileOperation();
};

TEST(CheckFolderName, EveryForbiddenCharacterIsRefusedWithTheList) {
    const QString message =
        QStringLiteral("フォルダ名には次の文字は使えません。\r\n\u3000\u3000\\ / : . ; * ? \" < > |");
    for (const QChar c : QStringLiteral("\\/:.;*?\"<>|")) {
        fakeDialogs().reset();
        EXPECT_TRUE(CheckFolderName(QStringLiteral("a") + c + QStringLiteral("b"))) << int(c.unicode());
        EXPECT_EQ(fakeDialogs().texts(), QStringList{message});
    }
    fakeDialogs().reset();
    EXPECT_FALSE(CheckFolderName(QStringLiteral("新しい フォルダ-1_(2)")));
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(FolderCommandsTest, TheDefaultNameMakesTheFolderAndTheTreeMovesIn) {
    newFolder(QStringLiteral("001"));
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::AskText);
    EXPECT_EQ(fakeDialogs().shown[0].text, QStringLiteral("フォルダ名を入力してください。"));
    EXPECT_EQ(fakeDialogs().shown[0].caption, kNewFolderCaption);
    EXPECT_EQ(fakeDialogs().shown[0].flags, 0);  // the default text selected
    EXPECT_EQ(fakeDialogs().lastDefault, QStringLiteral("001"));
    EXPECT_TRUE(fs::is_directory(base + "/001"));
    EXPECT_EQ(rightTree.directory(), base + "/001");

    rightTree.setDirectory(base);
    newFolder(std::nullopt);  // cancelled
    EXPECT_EQ(fakeDialogs().lastDefault, QStringLiteral("002"));
    EXPECT_EQ(rightTree.directory(), base);
    EXPECT_EQ(std::distance(fs::directory_iterator(base), {}), 1);
}

TEST_F(FolderCommandsTest, RefusedNamesExistingFoldersAndFailuresMakeNothing) {
    dir.mkdir("base/old");
    const std::string tooLong(300, 'x');
    const struct {
        QString answer;
        QString message;
    } cases[] = {
        {QStringLiteral("new.folder"),
         QStringLiteral("フォルダ名には次の文字は使えません。\r\n\u3000\u3000\\ / : . ; * ? \" < > |")},
        {QStringLiteral("old"), QStringLiteral("'old' フォルダは既に存在します。")},
        {QString(), QStringLiteral("'' フォルダは既に存在します。")},  // the folder itself
        {QString::fromStdString(tooLong),
         QStringLiteral("'") + QString::fromStdString(tooLong) + QStringLiteral("' フォルダの作成に失敗しました。")},
    };
    for (const auto& c : cases) {
        fakeDialogs().reset();
        newFolder(c.answer);
        EXPECT_EQ(fakeDialogs().texts().mid(1), QStringList{c.message});
        EXPECT_EQ(rightTree.directory(), base);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(base), {}), 1);
}

TEST_F(FolderCommandsTest, AtTheRootTheSlashIsNotDoubled) {
    struct RecordingMkdir : PosixFileSystem {
        bool makeDirectory(const std::string& path) override {
            made.push_back(path);
            return false;
        }
        Paths made;
    } recording;
    ASSERT_TRUE(rightTree.setDirectory("/"));
    Platform replacement;
    replacement.fileSystem = &recording;
    ScopedPlatform scope(replacement);
    newFolder(QStringLiteral("dorvan-probe"));
    EXPECT_EQ(recording.made, Paths{"/dorvan-probe"});
}

TEST_F(FolderCommandsTest, DeleteGoesToTheTrashAndThePanesRestOnTheParent) {
    const std::string doomed = dir.mkdir("base/doomed");
    dir.write("base/doomed/inner/f.txt", "f");
    rightTree.setDirectory(doomed);
    leftTree.setDirectory(doomed + "/inner");
    fakeFileOpUi().trashAnswers = {true};
    deleteFolder();
    EXPECT_FALSE(exists(doomed));
    const std::string trash = testHome() + "/XDG_DATA_HOME/Trash";
    EXPECT_EQ(readFile(trash + "/files/doomed/inner/f.txt"), "f");
    EXPECT_TRUE(exists(trash + "/info/doomed.trashinfo"));
    EXPECT_EQ(rightTree.directory(), base);
    EXPECT_EQ(leftTree.directory(), base);
    EXPECT_TRUE(fakeDialogs().shown.empty());
    fs::remove_all(trash + "/files/doomed");
    fs::remove(trash + "/info/doomed.trashinfo");
}

TEST_F(FolderCommandsTest, HiddenFoldersAskWithTheVerbAndEraseIsNotSupported) {
    const std::string hidden = dir.mkdir("base/.secret");
    const QString question = QString::fromStdString(hidden) +
                             QStringLiteral("\r\nは隠しファイルです。\r\n\r\n%1してもよろしいですか?");
    rightTree.setDirectory(hidden);
    fakeDialogs().answers = {id::No, id::Yes};
    deleteFolder();
    deleteFolder(FolderAction::FolderErase);
    ASSERT_EQ(fakeDialogs().texts(),
              (QStringList{question.arg("削除"), question.arg("消去"), "未対応です。"}));
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::YesNo | mb::IconInformation);
    EXPECT_TRUE(fs::is_directory(hidden));
    EXPECT_EQ(fakeFileOpUi().questions.size(), 0u);
}

// Volumes that say a test folder is a mount point or holds one.
class MountsAt : public LinuxVolumeInfo {
public:
    bool isMountPoint(const std::string& path) override { return path == mountPoint; }
    std::vector<std::string> mountPointsBelow(const std::string& folder) override {
        if (mountPoint.compare(0, folder.size() + 1, folder + "/") == 0) return {mountPoint};
        return {};
    }
    std::string mountPoint;
};

TEST_F(FolderCommandsTest, RootsMountsAndTheProgramsOwnFolderAreRefused) {
    MountsAt volumes;
    Platform replacement;
    replacement.volumes = &volumes;
    ScopedPlatform scope(replacement);
    const std::string outer = dir.mkdir("base/outer");
    volumes.mountPoint = dir.mkdir("base/outer/usb");
    fakeSettingsLocation().exeFolder = dir.mkdir("base/app/bin") + "/";
    const std::string cwd = fs::current_path();
    const std::string work = dir.mkdir("base/work");
    fs::current_path(work);

    const std::pair<std::string, QString> cases[] = {
        {"/", QStringLiteral("ルートディレクトリです。")},
        {volumes.mountPoint, QStringLiteral("ルートディレクトリです。")},
        {outer, QString::fromStdString(outer) +
                    QStringLiteral("\r\nの中にはボリュームがマウントされています(") +
                    QString::fromStdString(volumes.mountPoint) + QStringLiteral(")。\r\n削除できません。")},
        {dir / "base/app", QString::fromStdString(dir / "base/app") +
                               QStringLiteral("\r\nはこのプログラムが使用中のフォルダです。\r\n削除できません。")},
        {work, QString::fromStdString(work) +
                   QStringLiteral("\r\nはこのプログラムが使用中のフォルダです。\r\n削除できません。")},
    };
    for (const auto& [folder, message] : cases) {
        fakeDialogs().reset();
        ASSERT_TRUE(rightTree.setDirectory(folder));
        deleteFolder();
        EXPECT_EQ(fakeDialogs().texts(), QStringList{message}) << folder;
        EXPECT_TRUE(fs::is_directory(folder));
    }
    fs::current_path(cwd);
    EXPECT_EQ(fakeFileOpUi().questions.size(), 0u);
}

TEST_F(FolderCommandsTest, AVanishedFolderIsReportedAndThePaneMovesUp) {
    const std::string gone = dir.mkdir("base/gone");
    rightTree.setDirectory(gone);
    fs::remove(gone);
    deleteFolder();
    EXPECT_EQ(fakeDialogs().texts(),
              QStringList{QString::fromStdString(gone) + QStringLiteral("\r\nは見つかりませんでした。")});
    EXPECT_EQ(rightTree.directory(), base);
}

// The tree can enter a linked folder; deleting it trashes the link, never
// what the link points to.
TEST_F(FolderCommandsTest, ALinkedFolderGoesToTheTrashNotItsTarget) {
    dir.write("target/keep.txt", "k");
    fs::create_directory_symlink(dir / "target", base + "/link");
    rightTree.setDirectory(base + "/link");
    fakeFileOpUi().trashAnswers = {true};
    deleteFolder();
    EXPECT_FALSE(fs::is_symlink(base + "/link"));
    EXPECT_EQ(readFile(dir / "target/keep.txt"), "k");
    EXPECT_EQ(rightTree.directory(), base);
    const std::string trash = testHome() + "/XDG_DATA_HOME/Trash";
    fs::remove(trash + "/files/link");
    fs::remove(trash + "/info/link.trashinfo");
}

TEST(FolderOperation, CopyAndMoveOfFoldersAreUnavailable) {
    fakeDialogs().reset();
    DirectoryListBox left, right;
    TFileOperation engine = platformFileOperation();
    Folder_Operation();
    FolderDeleteExecute(FolderAction::Other, {left, right}, engine);
    ASSERT_EQ(fakeDialogs().texts(),
              (QStringList{"使用不可", "予定外の呼び出しです(FolderDeleteExecute)。"}));
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
}

}  // namespace
