#include <QDate>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/FileListBox.h"
#include "controls/PathListModel.h"
#include "platform/MessageBoxIds.h"
#include "support/TestEnvironment.h"
#include "util/ApU.h"

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
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"オーバーフローしました(数が大)。", "オーバーフローしました(数が小)。",
                           "オーバーフローしました(数が小)。", "オーバーフローしました(数が小)。"}));
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ApplicationMessage);
}

TEST_F(ApUTest, DateTimeTextIsUsableAsAFileName) {
    const std::string t = TApU::DateTimeText();
    EXPECT_FALSE(t.empty());
    EXPECT_EQ(t.find(':'), std::string::npos);
    EXPECT_EQ(t.find('/'), std::string::npos);
    const QDate day(2026, 12, 8);
    const std::string midnight = TApU::DateTimeText(QDateTime(day, QTime(0, 0)));
    const std::string later = TApU::DateTimeText(QDateTime(day, QTime(0, 0, 1)));
    EXPECT_EQ(midnight.find("00_00"), std::string::npos) << midnight;
    EXPECT_EQ(later.substr(0, midnight.size() + 1), midnight + " ");
    EXPECT_EQ(later.find(':'), std::string::npos);
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
