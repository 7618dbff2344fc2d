// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "controls/PathListBox.h"
#include "engine/WalkSeam.h"
#include "search/FileCollection.h"
#include "search/FileSearchAllThread.h"
#include "search/SearchCommand.h"
#include "controls/StopButton.h"
#include "support/EventWait.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

const QString kInterrupted = QStringLiteral("検索は中断されました。");

// A search as the window starts it, over the left pane's lists and a stop
// button standing in for a folder tree.
class SearchThreadTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        found.setShowNames(true);
        found.setRows(before);
    }

    // Runs a search to its end; returns the captions the stop button showed.
    // onCaption may act on the running search.
    QStringList search(const std::string& folder, const std::string& mask = "*.txt",
                       bool hidden = false,
                       std::function<void(TFileSearchAllThread&, const QString&)> onCaption = {}) {
        QStringList captions;
        stop.cover();
        QPointer<TFileSearchAllThread> thread =
            new TFileSearchAllThread(SearchRequest{folder, mask, hidden});
        ShowSearchIn(*thread, found, names, stop);
        QObject::connect(thread, &TFileSearchAllThread::progress, [&](const QString& caption) {
            captions << caption;
            EXPECT_EQ(button.text(), caption);
            if (onCaption) onCaption(*thread, caption);
        });
        thread->start();
        EXPECT_TRUE(processEventsUntil([&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return thread.isNull();
        }, 20000));
        EXPECT_FALSE(button.isVisible());
        EXPECT_FALSE(searching);
        return captions;
    }
    QStringList shown() const { return fakeDialogs().texts(); }

    TempDir dir;
    const Rows before{"/earlier/x.txt"};
    PathListModel found;
    PathListBox names{nullptr, false, &found};
    QWidget panel;
    QWidget tree{&panel};
    QPushButton button{&panel};
    bool searching = false;
    const StopButton stop{button, tree, searching};
};

TEST_F(SearchThreadTest, AFolderWithNothingToFindEmptiesTheList) {
    dir.write("notes");
    EXPECT_EQ(search(dir.path()),
              (QStringList{"フォルダ検索中", "残りフォルダ = 0", "データ転送中"}));
    EXPECT_TRUE(found.empty());
    ASSERT_EQ(shown(), QStringList{"0個のファイルを抽出しました。"});
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
}

TEST_F(SearchThreadTest, FindsMatchingFilesGroupedBySortedFolderWithOrWithoutHiddenOnes) {
    for (const char* f : {"b.Txt", "A.TXT", "c.txt", "notes", "d.text", "sub/e.txt", "Sub2/f.txt",
                          ".dot/g.txt", ".h.txt", "hid/h.txt", "x.m3u"})
        dir.write(f);
    dir.write(".hidden", "hid\n");
    const std::string d = dir.path() + "/";
    search(dir.path(), "*.txt;*.m3u");
    EXPECT_EQ(found.rows(), (Rows{d + "A.TXT", d + "b.Txt", d + "c.txt", d + "x.m3u",
                                  d + "sub/e.txt", d + "Sub2/f.txt"}));
    EXPECT_EQ(names.model()->data(names.model()->index(0, 0)).toString(), QStringLiteral("A.TXT"));
    search(dir.path(), "*.txt", true);
    EXPECT_EQ(found.rows(), (Rows{d + ".h.txt", d + "A.TXT", d + "b.Txt", d + "c.txt",
                                  d + ".dot/g.txt", d + "hid/h.txt", d + "sub/e.txt",
                                  d + "Sub2/f.txt"}));
    EXPECT_EQ(shown(), (QStringList{"6個のファイルを抽出しました。", "8個のファイルを抽出しました。"}));
}

TEST_F(SearchThreadTest, StartChecksTellWhyNothingIsSearched) {
    const std::string hiddenFolder = dir.mkdir(".private");
    dir.write(".private/a.txt");
    struct Case { std::string folder; bool hidden; QString message; };
    const Case cases[] = {
        {dir / "gone", true, QStringLiteral("No Exists")},
        {dir / "gone", false, QString::fromStdString(dir / "gone") + "\r\nは見つかりませんでした。"},
        {hiddenFolder, false, QString::fromStdString(hiddenFolder) + "\r\nは隠しファイルです。"},
    };
    for (const Case& c : cases) {
        fakeDialogs().reset();
        EXPECT_EQ(search(c.folder, "*.txt", c.hidden), QStringList()) << c.folder;
        EXPECT_EQ(shown(), QStringList{c.message});
        EXPECT_EQ(found.rows(), before);
    }
    search(hiddenFolder, "*.txt", true);
    EXPECT_EQ(found.rows(), Rows{hiddenFolder + "/a.txt"});
}

TEST_F(SearchThreadTest, MoreFilesThanTheLimitGiveTheFirstOnesAndNameTheFolder) {
    const std::string full = dir.mkdir("full");
    for (std::size_t i = 0; i <= MaxSearchFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/f%05zu.txt", i);
        ::close(::open((full + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    search(dir.path());
    ASSERT_EQ(found.size(), MaxSearchFiles);
    EXPECT_EQ(found.rows().back(), full + "/f32735.txt");
    EXPECT_EQ(shown(), QStringList{
        "検索ファイル数が許容数(32736)を超えてしまいました。\r\n\r\n"
        "次回はもう少し下位のフォルダから検索してください。\r\n"
        "(検索中止フォルダ = \r\n '" + QString::fromStdString(full) + "')"});
}

TEST_F(SearchThreadTest, AStopWhileWalkingLeavesTheListAsItWas) {
    dir.write("a/b.txt");
    const QStringList captions = search(dir.path(), "*.txt", false,
                                        [](TFileSearchAllThread& t, const QString&) { t.RequestStop(); });
    EXPECT_EQ(captions, QStringList{"フォルダ検索中"});
    EXPECT_EQ(shown(), QStringList{kInterrupted});
    EXPECT_EQ(found.rows(), before);
}

// The walk slowed down folder by folder, as on a slow disk: a start folder
// with three files and 200 subfolders of one file each.
class SlowWalkTest : public SearchThreadTest {
protected:
    void SetUp() override {
        SearchThreadTest::SetUp();
        for (const char* f : {"a.txt", "b.txt", "c.txt"}) dir.write(f);
        for (int i = 0; i < kFolders; ++i) dir.write("d" + std::to_string(100 + i) + "/f.txt");
    }
    static constexpr int kFolders = 200;
    std::atomic<int> opened{0};
    ScopedWalkHooks slow{{.beforeOpen = [this](int, const char*) {
                               ++opened;
                               QThread::msleep(4);
                           },
                           .afterStatx = {}}};
};

TEST_F(SlowWalkTest, FoldersLeftArePaintedWhileTheWalkRunsAFewTimesASecond) {
    std::vector<int> openedAt;
    std::vector<qint64> shownAt;
    QElapsedTimer clock;
    clock.start();
    const QStringList captions =
        search(dir.path(), "*.txt", false, [&](TFileSearchAllThread&, const QString& caption) {
            if (!caption.startsWith(QStringLiteral("残りフォルダ = "))) return;
            openedAt.push_back(opened);
            shownAt.push_back(clock.elapsed());
        });
    EXPECT_EQ(found.size(), std::size_t(kFolders + 3));
    ASSERT_GE(openedAt.size(), 2u) << captions.join(" | ").toStdString();
    EXPECT_LT(openedAt[1], kFolders);
    for (std::size_t i = 1; i < shownAt.size(); ++i) EXPECT_GE(shownAt[i] - shownAt[i - 1], 100);
    EXPECT_EQ(captions.last(), QStringLiteral("データ転送中"));
}

TEST_F(SlowWalkTest, AClickOnStopWhileFilesAreFoundHandsThemOverWithTheirCount) {
    int openedAtClick = -1;
    search(dir.path(), "*.txt", false, [&](TFileSearchAllThread& t, const QString& caption) {
        if (openedAtClick >= 0 || !caption.startsWith(QStringLiteral("残りフォルダ = "))) return;
        openedAtClick = opened;
        QObject::connect(&button, &QPushButton::clicked, &t, [&t] { SearchingButtonClick(&t); });
        QTimer::singleShot(0, &button, &QPushButton::click);
    });
    EXPECT_LT(openedAtClick, kFolders);
    ASSERT_GE(found.size(), 3u);
    EXPECT_LT(found.size(), std::size_t(kFolders + 3));
    EXPECT_EQ(found.rows()[0], dir / "a.txt");
    EXPECT_EQ(shown(), QStringList{QString::number(found.size()) +
                                   "個のファイルを抽出しました。\r\n\r\n" + kInterrupted});
}

TEST_F(SearchThreadTest, AWindowThatStopsServingDoesNotHoldTheSearchUp) {
    dir.write("a/b.txt");
    stop.cover();
    QPointer<TFileSearchAllThread> thread =
        new TFileSearchAllThread(SearchRequest{dir.path(), "*.txt", false});
    ShowSearchIn(*thread, found, names, stop);
    thread->start();
    QThread::msleep(50);  // it now waits for its first caption, which no loop shows
    QElapsedTimer clock;
    clock.start();
    EndSearch(thread);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(thread->isFinished());
    processEventsFor(50);
    EXPECT_EQ(found.rows(), before);
    EXPECT_EQ(button.text(), QString());
    EXPECT_TRUE(shown().isEmpty());
}

}  // namespace
