#include <QDate>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/FileListBox.h"
#include "controls/PathListModel.h"
#include "platform/MessageBoxIds.h"
#include "support/TestEnvironment.h"
#include "util/ApU.h"
#include "util/FileNameFit.h"

namespace {

class ApUTest : public PlatformTest {};

TEST_F(ApUTest, MsgBoxReturnsTheButtonAndRecordsEverything) {
    fakeDialogs().answers = {id::No};
    EXPECT_EQ(TApU::MsgBox("text", ConfirmCaption, mb::YesNo | mb::IconInformation), id::No);
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::YesNo | mb::IconInformation);
}

TEST_F(ApUTest, MsgBoxWithFlagsMinusOneIsThePlainMessage) {
    fakeDialogs().answers = {id::Yes};  // whatever the user does
    EXPECT_EQ(TApU::MsgBox("plain", "ignored", -1), -1);
    EXPECT_EQ(fakeDialogs().shown.at(0).kind, FakeDialogs::Kind::ApplicationMessage);
}

TEST_F(ApUTest, SetDialogPositionCentresAQuarterDown) {
    fakeScreen().screenSize = QSize(1001, 801);
    QWidget w;
    w.resize(200, 100);
    TApU::SetDialogPosition(&w);
    EXPECT_EQ(w.pos(), QPoint(400, 175));
}

TEST_F(ApUTest, ZeroPaddingNeverShortens) {
    EXPECT_EQ(TApU::ZeroPadding(7, 3, '0'), "007");
    EXPECT_EQ(TApU::ZeroPadding(1234, 2, '0'), "1234");
    EXPECT_EQ(TApU::ZeroPadding(5, 0, '0'), "5");
    EXPECT_EQ(TApU::ZeroPadding(4294967295u, 12, '0'), "004294967295");
}

TEST_F(ApUTest, SignedZeroPaddingAndItsOverflowMessages) {
    EXPECT_EQ(SignedZeroPadding(42, 4), "0042");
    EXPECT_EQ(SignedZeroPadding(-42, 4), "-0042");
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_EQ(SignedZeroPadding(12345, 3), "12345");
    EXPECT_EQ(SignedZeroPadding(-12345, 3), "12345");
    EXPECT_EQ(SignedZeroPadding(0, 0), "0");
    EXPECT_EQ(SignedZeroPadding(INT32_MIN, 3), "2147483648");  // no overflow of the magnitude
    ASSERT_EQ(fakeDialogs().texts(),
              (QStringList{"オーバーフローしました(数が大)。", "オーバーフローしました(数が小)。",
                           "オーバーフローしました(数が小)。", "オーバーフローしました(数が小)。"}));
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ApplicationMessage);
}

TEST_F(ApUTest, DateTimeTextIsUsableAsAFileName) {
    const std::string t = TApU::DateTimeText();
    EXPECT_FALSE(t.empty());
    EXPECT_EQ(t.find(':'), std::string::npos);
    EXPECT_EQ(t.find('/'), std::string::npos);
}

TEST_F(ApUTest, UniqueFileNameCountsOnlyFiles) {
    TempDir d;
    EXPECT_EQ(TApU::UniqueFileName(d / "free.txt", 2), d / "free.txt");
    d.write("b.txt");
    EXPECT_EQ(TApU::UniqueFileName(d / "b.txt", 2), d / "b_01.txt");
    d.write("b_01.txt");
    EXPECT_EQ(TApU::UniqueFileName(d / "b.txt", 2), d / "b_02.txt");
    d.mkdir("b_02.txt");  // a folder does not take the name
    EXPECT_EQ(TApU::UniqueFileName(d / "b.txt", 2), d / "b_02.txt");
    d.write("noext");
    EXPECT_EQ(TApU::UniqueFileName(d / "noext", 0), d / "noext_1");
    EXPECT_EQ(TApU::UniqueFileName(d / "noext", 9), d / "noext_00001");
    // The dot of a folder name is not an extension.
    d.write("dir.d/file");
    EXPECT_EQ(TApU::UniqueFileName(d / "dir.d/file", 2), d / "dir.d/file_01");
}

TEST_F(ApUTest, UniqueFileNameGrowsPastThePaddedWidth) {
    TempDir d;
    d.write("n.txt");
    for (int i = 1; i <= 9; ++i) d.write("n_" + std::to_string(i) + ".txt");
    EXPECT_EQ(TApU::UniqueFileName(d / "n.txt", 1), d / "n_10.txt");
}

TEST_F(ApUTest, GeneratedNamesFitTheFileSystemCutAtAWholeCharacter) {
    // Table of base, tail, limit, expected; "あ" is three bytes.
    struct Case {
        std::string base, tail;
        std::size_t max;
        std::string expected;
    };
    const std::vector<Case> cases = {{"abc", "_01.t", 10, "abc_01.t"},
                                     {"あああ", "_01.t", 10, "あ_01.t"},
                                     {"あああ", "_01.t", 7, ""},
                                     {"x", "_01.extension", 8, ""}};
    for (const auto& c : cases) EXPECT_EQ(fitFileName(c.base, c.tail, c.max), c.expected) << c.base;

    // A colliding 255-byte name gets a free name of at most 255 bytes.
    TempDir d;
    const std::string longName = "a" + [] {
        std::string s;
        while (s.size() < 246) s += "あ";
        return s;
    }() + ".txt";
    ASSERT_EQ(longName.size(), 251u);
    d.write(longName);
    const std::string unique = TApU::UniqueFileName(d / longName, 5);
    const std::string name = unique.substr(d.path().size() + 1);
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.substr(name.size() - 10), "_00001.txt");
    EXPECT_EQ(longName.compare(0, name.size() - 10, name, 0, name.size() - 10), 0);  // whole characters
    d.write(name);  // the file system takes it
    EXPECT_TRUE(exists(unique));
}

TEST_F(ApUTest, UniqueFolderNameCountsOnlyFolders) {
    TempDir d;
    const std::string work = d.mkdir("work");
    EXPECT_EQ(TApU::UniqueFolderName(work), work + "/001");
    EXPECT_EQ(TApU::UniqueFolderName(work + "/"), work + "/001");
    d.mkdir("work/001");
    d.write("work/002");  // a file does not take the name
    EXPECT_EQ(TApU::UniqueFolderName(work), work + "/002");
}

TEST_F(ApUTest, FileListToListGathersFullPaths) {
    TempDir d;
    d.write("b.txt");
    d.write("a.txt");
    FileListBox list;
    list.setMask("*.*");
    list.setDirectory(d.path());
    list.setCurrentRow(1);
    PathListModel target;
    target.append("stale");
    EXPECT_TRUE(TApU::FileListToList(list, target));
    EXPECT_EQ(target.rows(), (std::vector<std::string>{d / "a.txt", d / "b.txt"}));
    EXPECT_EQ(list.currentRow(), 1);
}

TEST_F(ApUTest, FileListToListOnAnEmptyList) {
    TempDir d;
    FileListBox list;
    list.setDirectory(d.path());
    PathListModel target;
    target.append("stale");
    EXPECT_FALSE(TApU::FileListToList(list, target));
    EXPECT_TRUE(target.empty());
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"データがありませんよ!"});
}

TEST_F(ApUTest, Clipboard) {
    EXPECT_FALSE(TApU::ClipboardHasText());
    EXPECT_EQ(TApU::GetClipboardText(), QString());
    EXPECT_TRUE(TApU::SetClipboardText("a\r\nb\r\n"));
    EXPECT_TRUE(TApU::ClipboardHasText());
    EXPECT_EQ(TApU::GetClipboardText(), QStringLiteral("a\r\nb\r\n"));
    fakeClipboard().failing = true;
    EXPECT_FALSE(TApU::SetClipboardText("x"));
}

}  // namespace
