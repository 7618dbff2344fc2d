// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>

#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FolderFiles.h"
#include "controls/PathListModel.h"
#include "search/FileSearchAllThread.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

// The search command and its stop button as the window binds them.
class SearchWiringTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        dir.write("a.txt");
        dir.write("sub/b.txt");
        dir.write("sub/c.dat");
        form = std::make_unique<TCopyForm>();
        ASSERT_TRUE(form->directoryListBox1()->setDirectory(dir.path()));
        form->FileListBox1->setMask("*.txt");
        form->show();
    }
    bool ended() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form->SearchThread.isNull() && !form->Searching;
    }

    TempDir dir;
    std::unique_ptr<TCopyForm> form;
};

TEST_F(SearchWiringTest, TheCommandSearchesTheLeftFolderWithTheMaskAndTheButtonStopsIt) {
    form->action("FileSearchAll")->trigger();
    EXPECT_TRUE(form->searchingButton()->isVisible());
    EXPECT_EQ(form->searchingButton()->geometry(), form->directoryListBox1()->geometry());
    ASSERT_TRUE(processEventsUntil([&] { return ended(); }));
    EXPECT_EQ(form->FilePathListBox->rows(), (std::vector<std::string>{dir / "a.txt", dir / "sub/b.txt"}));

    form->action("FileSearchAll")->trigger();
    form->searchingButton()->click();
    ASSERT_TRUE(processEventsUntil([&] { return ended(); }));
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"2個のファイルを抽出しました。", "検索は中断されました。"}));
}

TEST_F(SearchWiringTest, ClosingTheWindowEndsARunningSearchAtOnce) {
    form->action("FileSearchAll")->trigger();
    ASSERT_FALSE(form->SearchThread.isNull());
    QElapsedTimer clock;
    clock.start();
    form->close();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(form->SearchThread->isFinished());
    form.reset();
    processEventsFor(50);
    EXPECT_TRUE(fakeDialogs().texts().isEmpty());
}

}  // namespace
