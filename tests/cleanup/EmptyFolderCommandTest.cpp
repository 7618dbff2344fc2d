#include <filesystem>

#include <gtest/gtest.h>

#include "cleanup/EmptyFolderCommand.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "support/TestEnvironment.h"

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

}  // namespace
