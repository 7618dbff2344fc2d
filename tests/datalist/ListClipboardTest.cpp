#include <QAction>
#include <gtest/gtest.h>

#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "datalist/ListClipboard.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

class ListClipboardTest : public PlatformTest {
protected:
    QString clipboard() { return fakeClipboard().text(); }
    Rows pasted(const QString& text) {
        fakeClipboard().setText(text);
        ClipBoardPasteExecute(dataList);
        return dataList.list()->rows();
    }

    PathListBox dataList{nullptr, true};
    PathListModel found;
};

TEST_F(ListClipboardTest, CopiesPutEveryEntryFollowedByCrLf) {
    fakeClipboard().setText(QStringLiteral("before"));
    ClipBoardCopyDataListExecute(*dataList.list());
    ClipBoardCopyLeftExecute(found);
    EXPECT_EQ(clipboard(), QStringLiteral("before"));  // empty lists copy nothing

    dataList.list()->setRows({"/a/写真.jpg", ""});
    ClipBoardCopyDataListExecute(*dataList.list());
    EXPECT_EQ(clipboard(), QStringLiteral("/a/写真.jpg\r\n\r\n"));
    found.setRows({"/l/x", "/l/y"});
    ClipBoardCopyLeftExecute(found);
    EXPECT_EQ(clipboard(), QStringLiteral("/l/x\r\n/l/y\r\n"));
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(ListClipboardTest, RightListGoesThroughTheScratchListAsFullPaths) {
    TempDir dir;
    dir.write("r/one.txt");
    dir.write("r/two.txt");
    FileListBox right;
    std::vector<std::string> scratch;
    fakeClipboard().setText(QStringLiteral("before"));
    right.setDirectory(dir / "empty-folder-that-is-missing");
    ClipBoardCopyRightExecute(right, scratch);
    EXPECT_EQ(clipboard(), QStringLiteral("before"));

    right.setDirectory(dir / "r");
    ASSERT_TRUE(processEventsUntil([&] { return right.count() == 2; }));
    ClipBoardCopyRightExecute(right, scratch);
    EXPECT_EQ(clipboard(), QString::fromStdString(dir / "r/one.txt\r\n" + dir / "r/two.txt\r\n"));
    EXPECT_TRUE(scratch.empty());
}

TEST_F(ListClipboardTest, PasteTrimsTheTextAndCutsItAtEveryKindOfLineBreak) {
    struct Case {
        QString text;
        Rows rows;
    };
    const Case cases[] = {
        {QStringLiteral("  /p/one\r\n\r\n/p/two\r\n"), {"/p/one", "", "/p/two"}},
        {QStringLiteral(" \r\n \t\n "), {}},
        {QStringLiteral("a\rb\nc\r\n\rd"), {"a", "b", "c", "", "d"}},
        {QStringLiteral("a \r\n b"), {"a ", " b"}},
        {QStringLiteral("a\r\n") + QChar(0) + QStringLiteral("b"), {"a"}},
        {QStringLiteral("\x01") + QChar(0) + QStringLiteral("写真\x7f"), {"写真\x7f"}},
    };
    for (const Case& c : cases) EXPECT_EQ(pasted(c.text), c.rows) << c.text.toStdString();
}

TEST_F(ListClipboardTest, PasteReplacesTheListAndSelectsNothing) {
    dataList.list()->setRows({"old1", "old2"});
    dataList.selectRow(1);
    EXPECT_EQ(pasted(QStringLiteral("new\r\n")), Rows{"new"});
    EXPECT_TRUE(dataList.selectedRows().empty());

    fakeClipboard().clear();  // an image, say: no text
    ClipBoardPasteExecute(dataList);
    EXPECT_EQ(dataList.count(), 0);
}

TEST_F(ListClipboardTest, PasteIsEnabledOnlyWhileTheClipboardHoldsText) {
    QAction paste(nullptr);
    EditClickExecute(paste);
    EXPECT_FALSE(paste.isEnabled());
    fakeClipboard().setText(QStringLiteral("x"));
    EditClickExecute(paste);
    EXPECT_TRUE(paste.isEnabled());
}

}  // namespace
