// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "datalist/ClipboardPaste.h"
#include "datalist/ListClipboard.h"
#include "datalist/ListText.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

class ListClipboardTest : public PlatformTest {
protected:
    QString clipboard() { return fakeClipboard().text(); }
    // The rows a paste of text gives, read on the window's thread or, as
    // from another program, as UTF-8 bytes on the paste's own thread.
    Rows pasted(const QString& text, bool fromAnotherProgram = false) {
        fakeClipboard().setText(text);
        if (fromAnotherProgram)  // in pieces of three bytes, cutting characters and CR LF
            fakeClipboard().reader = [bytes = text.toStdString()](const IClipboard::TextPiece& piece,
                                                                  const std::function<bool()>&) {
                for (std::size_t at = 0; at < bytes.size(); at += 3)
                    piece(std::string_view(bytes).substr(at, 3));
                return true;
            };
        ClipBoardPasteExecute(dataList);
        EXPECT_TRUE(processEventsUntil([&] { return !ClipboardPaste::pending(dataList); }));
        fakeClipboard().reader = {};
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
    for (const Case& c : cases) {
        EXPECT_EQ(pasted(c.text), c.rows) << c.text.toStdString();
        EXPECT_EQ(pasted(c.text, true), c.rows) << c.text.toStdString();
    }
    // Bytes that are not UTF-8 come in as the decoded text has them.
    const std::string odd = "a\xff\xfe\r\n\xe3\x81\nb\xed\xa0\x80\r\xc0\xaf\n\xf4\x90\x80\x80 ";
    EXPECT_EQ(RowsFromPastedUtf8(odd),
              RowsFromPastedText(QString::fromUtf8(odd.data(), qsizetype(odd.size()))));
}

// Another program hands its text over slowly: the window goes on answering
// with the wait cursor showing, and the rows come in when the text is there.
// A list that goes away meanwhile stops the reading.
TEST_F(ListClipboardTest, APasteLeavesTheWindowAnsweringWhileTheTextComes) {
    std::atomic<bool> handedOver{false};
    fakeClipboard().reader = [&](const IClipboard::TextPiece& piece,
                                 const std::function<bool()>& cancelled) {
        while (!handedOver && !cancelled()) QThread::msleep(2);
        piece("/p/one\r\n/p/写真\r\n");
        return true;
    };
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 10) handedOver = true;
    });
    timer.start(10);
    ClipBoardPasteExecute(dataList);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(processEventsUntil([&] { return !ClipboardPaste::pending(dataList); }));
    EXPECT_GE(ticks, 10);
    EXPECT_EQ(dataList.list()->rows(), (Rows{"/p/one", "/p/写真"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    handedOver = false;
    auto* other = new PathListBox(nullptr, true);
    ClipBoardPasteExecute(*other);
    delete other;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ListClipboardTest, PasteReplacesTheListAndSelectsNothing) {
    dataList.list()->setRows({"old1", "old2"});
    dataList.selectRow(1);
    EXPECT_EQ(pasted(QStringLiteral("new\r\n")), Rows{"new"});
    EXPECT_TRUE(dataList.selectedRows().empty());

    fakeClipboard().clear();  // an image, say: no text
    ClipBoardPasteExecute(dataList);
    EXPECT_TRUE(processEventsUntil([&] { return !ClipboardPaste::pending(dataList); }));
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
