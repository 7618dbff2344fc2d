// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include "controls/PathListBox.h"
#include "search/FileSearchAllThread.h"
#include "search/SearchCommand.h"
#include "controls/StopButton.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

// The command on the window's pieces: a folder tree on a panel, the stop
// button beside it, the left pane's lists.
class SearchCommandTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        panel.resize(300, 300);
        tree.setGeometry(3, 70, 150, 200);
        KeepOverTree(button, tree);
        button.hide();
        panel.show();
    }
    SearchContext context() {
        return {folder, mask, false, found, names, stop, thread};
    }
    bool ended() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return thread.isNull() && !searching;
    }

    TempDir dir;
    std::string folder = dir.path();
    std::string mask = "*.txt";
    PathListModel found;
    PathListBox names{nullptr, false, &found};
    QWidget panel;
    QWidget tree{&panel};
    QPushButton button{&panel};
    bool searching = false;
    const StopButton stop{button, tree, searching};
    QPointer<TFileSearchAllThread> thread;
};

TEST_F(SearchCommandTest, TheStopButtonCoversTheTreeWhileSearchingAlsoAfterAResize) {
    dir.write("a.txt");
    FileSearchAllExecute(context());
    EXPECT_TRUE(searching);
    EXPECT_TRUE(button.isVisible());
    EXPECT_EQ(button.geometry(), tree.geometry());
    tree.setGeometry(3, 70, 120, 180);
    EXPECT_EQ(button.geometry(), tree.geometry());
    ASSERT_TRUE(processEventsUntil([&] { return ended(); }));
    EXPECT_FALSE(button.isVisible());
    EXPECT_EQ(found.rows(), std::vector<std::string>{dir / "a.txt"});
}

TEST_F(SearchCommandTest, OneSearchAtATimeAndANewOneAtOnceAfterTheEnd) {
    dir.write("a.txt");
    FileSearchAllExecute(context());
    TFileSearchAllThread* first = thread;
    FileSearchAllExecute(context());
    EXPECT_EQ(thread.data(), first);
    ASSERT_TRUE(processEventsUntil([&] { return ended(); }));
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"検索中", "1個のファイルを抽出しました。"}));

    dir.write("b.txt");
    FileSearchAllExecute(context());
    ASSERT_TRUE(processEventsUntil([&] { return ended(); }));
    EXPECT_EQ(found.size(), 2u);
    SearchingButtonClick(thread);  // after the end: nothing happens
    EXPECT_EQ(fakeDialogs().texts().size(), 3);
}

TEST_F(SearchCommandTest, TheStopButtonStopsTheSearch) {
    for (int i = 0; i < 30; ++i) dir.write("d" + std::to_string(i) + "/f.txt");
    FileSearchAllExecute(context());
    QObject::connect(thread, &TFileSearchAllThread::progress, [&] { button.click(); });
    QObject::connect(&button, &QPushButton::clicked, [&] { SearchingButtonClick(thread); });
    ASSERT_TRUE(processEventsUntil([&] { return ended(); }));
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"検索は中断されました。"});
    EXPECT_TRUE(found.empty());
}

}  // namespace
