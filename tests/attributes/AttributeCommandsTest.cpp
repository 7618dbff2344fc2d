// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "attributes/AttributeCommands.h"
#include "controls/PathListBox.h"
#include "engine/IFileSystem.h"
#include "engine/FileOperation.h"
#include "platform/EngineAdapters.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"

namespace {

const QString kDone = QStringLiteral("終了しました。");

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

unsigned attributesOf(const std::string& path) {
    return platform().fileSystem->attributes(path).value_or(0u);
}

class AttributeCommandsTest : public PlatformTest {
protected:

    std::string readOnly(const std::string& relative) {
        const std::string p = dir.write(relative);
        ::chmod(p.c_str(), 0444);
        return p;
    }
    int change(std::vector<std::string> rows, bool set, bool hidden, bool messages = true) {
        return ChangeAttributesOfList(rows, set, hidden, messages, engine);
    }

    TempDir dir;
    TFileOperation engine = platformFileOperation();
    PathListBox dataList{nullptr, true};
};

TEST_F(AttributeCommandsTest, MissingFilesAreCountedTheOthersCleared) {
    const auto a = readOnly("a"), b = readOnly("b"), c = readOnly("c");
    EXPECT_EQ(change({a, b, dir / "gone", c}, false, false), 1);
    ASSERT_EQ(fakeDialogs().texts(), QStringList{"1個のファイルは処理できませんでした。"});
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    // Only the owner gets write permission back.
    for (const auto& p : {a, b, c}) EXPECT_EQ(modeOf(p), mode_t(0644)) << p;
}

TEST_F(AttributeCommandsTest, SettingReadOnlyRemovesEveryWriteBitAndSkipsFolders) {
    const auto f = dir.write("f");
    ::chmod(f.c_str(), 0666);
    const auto folder = dir.mkdir("sub");
    const mode_t folderMode = modeOf(folder);
    EXPECT_EQ(change({folder, f, ""}, true, false), 2);
    EXPECT_EQ(modeOf(f), mode_t(0444));
    EXPECT_EQ(modeOf(folder), folderMode);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"2個のファイルは処理できませんでした。"});
}

TEST_F(AttributeCommandsTest, AlreadyHiddenFilesAreLeftAloneAndFinish) {
    const auto dot = dir.write(".dot");
    const auto listed = dir.write("listed");
    dir.write(".hidden", "listed\n");
    struct stat before {};
    ::stat((dir / ".hidden").c_str(), &before);
    EXPECT_EQ(change({dot, listed}, true, true), 0);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kDone});
    struct stat after {};
    ::stat((dir / ".hidden").c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(readFile(dir / ".hidden"), "listed\n");
}

TEST_F(AttributeCommandsTest, ReadOnlyAndHiddenDoNotDisturbEachOther) {
    const auto f = dir.write("f");
    ASSERT_EQ(change({f}, true, true), 0);
    ASSERT_EQ(change({f}, true, false), 0);
    EXPECT_EQ(attributesOf(f) & (attr::Hidden | attr::ReadOnly), attr::Hidden | attr::ReadOnly);
    ASSERT_EQ(change({f}, false, true), 0);
    EXPECT_EQ(attributesOf(f) & (attr::Hidden | attr::ReadOnly), attr::ReadOnly);
    ASSERT_EQ(change({f}, false, false), 0);
    EXPECT_EQ(attributesOf(f) & (attr::Hidden | attr::ReadOnly), 0u);
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{kDone, kDone, kDone, kDone}));
}

TEST_F(AttributeCommandsTest, DuplicateRowsAreEachHandled) {
    const auto f = dir.write("f");
    EXPECT_EQ(change({f, f}, true, true), 0);
    EXPECT_EQ(readFile(dir / ".hidden"), "f\n");
    EXPECT_EQ(fakeDialogs().texts(), QStringList{kDone});
}

TEST_F(AttributeCommandsTest, ADotNameCannotBeUnhidden) {
    const auto dot = dir.write(".dot");
    const auto listed = dir.write("listed");
    dir.write(".hidden", "listed\nother\n");
    EXPECT_EQ(change({dot, listed}, false, true), 1);
    EXPECT_TRUE(exists(dot));
    EXPECT_EQ(readFile(dir / ".hidden"), "other\n");
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"1個のファイルは処理できませんでした。"});
}

TEST_F(AttributeCommandsTest, MessagesOffStillReportsFailures) {
    EXPECT_EQ(change({}, false, false, false), 0);
    EXPECT_EQ(change({dir.write("ok")}, false, false, false), 0);
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_EQ(change({dir / "gone"}, false, false, false), 1);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"1個のファイルは処理できませんでした。"});
    fakeDialogs().reset();
    EXPECT_EQ(change({}, true, true, true), 0);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"データがありませんよ!"});
}

TEST_F(AttributeCommandsTest, CommandsWorkOnTheWholeDataList) {
    const auto a = dir.write("a");
    const auto b = dir.write("b");
    dataList.list()->setRows({a, b});
    dataList.selectRow(1);
    SetReadOnlyAttribsExecute(dataList, engine);
    SetHiddenAttribsExecute(dataList, engine);
    EXPECT_EQ(modeOf(a) & 0222, 0u);
    EXPECT_EQ(modeOf(b) & 0222, 0u);
    EXPECT_EQ(readFile(dir / ".hidden"), "a\nb\n");
    EXPECT_EQ(dataList.currentRow(), 0);
    RemoveReadOnlyAttribsExecute(dataList, engine);
    RemoveHiddenAttribsExecute(dataList, engine);
    EXPECT_TRUE(modeOf(a) & S_IWUSR);
    EXPECT_FALSE(exists(dir / ".hidden"));
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{kDone, kDone, kDone, kDone}));
    EXPECT_EQ(dataList.list()->rows(), (std::vector<std::string>{a, b}));
}

TEST_F(AttributeCommandsTest, EngineReportsMissingSeparately) {
    int missing = -1;
    const auto f = readOnly("f");
    EXPECT_EQ(engine.ClearAttribute({}, false, missing), 0);
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(engine.ClearAttribute({dir / "gone", dir.mkdir("d"), f, f}, false, missing), 2);
    EXPECT_EQ(missing, 2);
    EXPECT_TRUE(modeOf(f) & S_IWUSR);
}

}  // namespace
