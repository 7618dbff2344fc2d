// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>
#include <unistd.h>

#include <QScrollBar>
#include <gtest/gtest.h>

#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "support/EventWait.h"
#include "controls/FileListBox.h"
#include "controls/FolderWatch.h"
#include "controls/PathListBox.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"

namespace {

// Counts the emissions of a signal.
struct Counter {
    template <class Sender, class Signal>
    Counter(Sender* sender, Signal signal) {
        QObject::connect(sender, signal, [this] { ++n; });
    }
    int count() const { return n; }
    int n = 0;
};

using Rows = std::vector<std::string>;

class BrowsingControlsTest : public PlatformTest {
protected:
    TempDir dir;
};

TEST_F(BrowsingControlsTest, AFileListShowsMatchingFilesButNoFolders) {
    dir.write("a.txt");
    dir.write("B.TXT");
    dir.write("c.Txt");
    dir.write("d.text");
    dir.write(".hidden.txt");
    dir.mkdir("folder.txt");
    ::symlink(dir.path().c_str(), (dir / "link.txt").c_str());  // a link to a folder
    FileListBox list;
    list.setMask("*.txt");
    list.setDirectory(dir.path());
    EXPECT_EQ(list.list()->rows(), (Rows{"a.txt", "B.TXT", "c.Txt"}));
    EXPECT_EQ(list.fullPath(1), dir / "B.TXT");
    list.setMask("*.text;*.TXT");
    EXPECT_EQ(list.list()->rows(), (Rows{"a.txt", "B.TXT", "c.Txt", "d.text"}));
}

TEST_F(BrowsingControlsTest, TheFirstEntryOfATreeIsTheRootOfItsVolume) {
    const std::string deep = dir.mkdir("x/y");
    dir.mkdir("x/y/s2");
    dir.mkdir("x/y/s1");
    DirectoryListBox tree;
    ASSERT_TRUE(tree.setDirectory(deep + "/../y/"));
    EXPECT_EQ(tree.directory(), deep);
    const std::string root = platform().volumes->volumeRootOf(deep);
    EXPECT_EQ(tree.entryPath(0), root);
    const int current = tree.currentEntry();
    EXPECT_EQ(tree.entryPath(current), deep);
    EXPECT_EQ(tree.entryPath(current - 1), dir / "x");
    EXPECT_EQ(tree.entryCount(), current + 3);
    EXPECT_EQ(tree.entryPath(current + 1), deep + "/s1");
    EXPECT_EQ(tree.entryPath(current + 2), deep + "/s2");

    EXPECT_FALSE(tree.setDirectory(dir / "missing"));
    EXPECT_EQ(tree.directory(), deep);

    // Typed ahead, a folder is found by its name, without its indentation.
    tree.keyboardSearch(QStringLiteral("S2"));
    EXPECT_EQ(tree.currentIndex().row(), current + 2);
    EXPECT_EQ(tree.directory(), deep) << "highlighted, not opened";
}

TEST_F(BrowsingControlsTest, TheTreesFolderDrivesItsFileList) {
    dir.write("top.txt");
    dir.write("sub/inner.txt");
    DirectoryListBox tree;
    FileListBox files;
    tree.setFileList(files.files());
    Counter changed(&files, &FileListBox::changed);
    ASSERT_TRUE(tree.setDirectory(dir.path()));
    EXPECT_EQ(files.list()->rows(), Rows{"top.txt"});
    ASSERT_TRUE(tree.setDirectory(dir / "sub"));
    EXPECT_EQ(files.directory(), dir / "sub");
    EXPECT_EQ(files.list()->rows(), Rows{"inner.txt"});
    tree.reread();
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(BrowsingControlsTest, AFileListReReadsOnItsOwnAndKeepsTheCurrentRow) {
    dir.write("b");
    dir.write("c");
    FileListBox list;
    list.setDirectory(dir.path());
    list.setCurrentRow(1);
    Counter changed(&list, &FileListBox::changed);
    bool sawAuto = false;
    QObject::connect(&list, &FileListBox::changed, [&] { sawAuto = list.autoRefreshing(); });

    dir.write("a");
    ASSERT_TRUE(processEventsUntil([&] { return list.count() == 3; }));
    EXPECT_EQ(list.list()->rows(), (Rows{"a", "b", "c"}));
    EXPECT_EQ(list.list()->at(std::size_t(list.currentRow())), "c");
    EXPECT_TRUE(sawAuto);
    EXPECT_FALSE(list.autoRefreshing());

    ::unlink((dir / "c").c_str());
    ASSERT_TRUE(processEventsUntil([&] { return list.count() == 2; }));
    EXPECT_EQ(list.currentRow(), -1) << "its file is gone";

    // A burst of changes is one re-reading.
    const int before = changed.count();
    for (int i = 0; i < 50; ++i) dir.write("burst" + std::to_string(i));
    ASSERT_TRUE(processEventsUntil([&] { return list.count() == 52; }));
    processEventsFor(2 * list.folderWatch()->delayMs());
    EXPECT_LE(changed.count() - before, 3);  // not one per file
}

TEST_F(BrowsingControlsTest, OnlyTheCurrentFolderIsWatched) {
    dir.mkdir("sub");
    FileListBox list;
    list.setDirectory(dir.path());
    list.setDirectory(dir / "sub");
    Counter changed(&list, &FileListBox::changed);
    dir.write("outside");        // the folder shown before
    dir.write("sub/deeper/x");   // a subfolder's content
    processEventsFor(500);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(BrowsingControlsTest, AFolderWhoseNameIsNotUtf8IsWatchedToo) {
    const std::string odd = dir.mkdir("\x83\x74\x83\x40\xff");
    FileListBox list;
    list.setDirectory(odd);
    dir.write("\x83\x74\x83\x40\xff/new");
    EXPECT_TRUE(processEventsUntil([&] { return list.count() == 1; }));
}

TEST_F(BrowsingControlsTest, ATreeFollowsSubfoldersAndKeepsTheHighlightedEntry) {
    dir.mkdir("b");
    dir.mkdir("d");
    DirectoryListBox tree;
    tree.resize(200, 400);
    ASSERT_TRUE(tree.setDirectory(dir.path()));
    const int base = tree.currentEntry();
    tree.setCurrentIndex(tree.model()->index(base + 2, 0));  // "d", highlighted only

    dir.mkdir("a");
    ASSERT_TRUE(processEventsUntil([&] { return tree.entryCount() == base + 4; }));
    EXPECT_EQ(tree.entryPath(base + 1), dir / "a");
    EXPECT_EQ(tree.currentIndex().row(), base + 3);
    EXPECT_EQ(tree.directory(), dir.path());

    ::rmdir((dir / "b").c_str());
    ASSERT_TRUE(processEventsUntil([&] { return tree.entryCount() == base + 3; }));
    EXPECT_EQ(tree.entryPath(tree.currentIndex().row()), dir / "d");
    dir.write("plain-file");
    processEventsFor(400);
    EXPECT_EQ(tree.entryCount(), base + 3);
}

TEST_F(BrowsingControlsTest, AFixedRowHeightNeverClipsTheFont) {
    PathListBox list;
    list.list()->setRows({"IMG_0001.jpg"});
    list.setRowHeight(1);
    EXPECT_GE(list.sizeHintForRow(0), list.fontMetrics().height());
}

TEST_F(BrowsingControlsTest, ReplacingRowsKeepsTheScrollPosition) {
    PathListBox list;
    list.resize(200, 100);
    Rows rows;
    for (int i = 0; i < 5000; ++i) rows.push_back("row" + std::to_string(10000 + i));
    list.list()->setRows(rows);
    list.show();
    processEventsFor(50);
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum() - 10);
    const int at = list.verticalScrollBar()->value();
    ASSERT_GT(at, 4000);
    rows.insert(rows.begin(), "row0");
    list.replaceRows(rows, -1);
    EXPECT_EQ(list.verticalScrollBar()->value(), at);
    EXPECT_EQ(list.count(), 5001);
}

TEST_F(BrowsingControlsTest, ALongRowAnywhereCanBeScrolledTo) {
    PathListBox list;
    list.resize(200, 100);
    list.show();
    list.list()->setRows({"/a", "/short"});
    processEventsFor(50);
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
    list.list()->setRows({"/a", "/" + std::string(300, 'w'), "/short"});
    processEventsFor(50);
    EXPECT_GT(list.horizontalScrollBar()->maximum(), 1000);
    list.list()->setRows({"/b"});
    list.list()->append(std::string(300, 'm'));
    processEventsFor(50);
    EXPECT_GT(list.horizontalScrollBar()->maximum(), 1000);
}

// Two volumes: the test folder and its "stick" subfolder.
class TwoVolumes : public IVolumeInfo {
public:
    explicit TwoVolumes(std::vector<std::string> r) : roots(std::move(r)) {}
    std::vector<Volume> volumes() override {
        std::vector<Volume> v;
        for (const auto& r : roots) v.push_back({r, ""});
        return v;
    }
    std::string volumeRootOf(const std::string& folder) override {
        std::string best = "/";
        for (const auto& r : roots)
            if ((folder == r || folder.rfind(r + "/", 0) == 0) && r.size() > best.size()) best = r;
        return best;
    }
    bool isMountPoint(const std::string&) override { return false; }
    std::vector<std::string> mountPointsBelow(const std::string&) override { return {}; }
    int driveType(const std::string&) override { return drive::Fixed; }
    bool volumeInformation(const std::string&, std::string&, std::uint32_t&) override {
        return false;
    }
    std::vector<std::string> roots;
};

TEST_F(BrowsingControlsTest, ChoosingAVolumeMovesTheTreeAndTheSelectorFollowsTheTree) {
    const std::string stick = dir.mkdir("stick");
    dir.mkdir("stick/photos");
    TwoVolumes volumes({dir.path(), stick, dir / "unplugged"});
    Platform p;
    p.volumes = &volumes;
    ScopedPlatform fake(p);
    DriveComboBox combo;
    DirectoryListBox tree;
    combo.setDirList(&tree);
    ASSERT_TRUE(tree.setDirectory(dir.path()));
    Counter driveChanged(&combo, &DriveComboBox::driveChanged);

    Q_EMIT combo.activated(combo.findData(QByteArray::fromStdString(stick)));
    EXPECT_EQ(tree.directory(), stick);
    EXPECT_EQ(tree.entryPath(0), stick);
    EXPECT_EQ(driveChanged.count(), 1);

    ASSERT_TRUE(tree.setDirectory(stick + "/photos"));  // same volume
    EXPECT_EQ(driveChanged.count(), 1);
    ASSERT_TRUE(tree.setDirectory(dir.path()));
    EXPECT_EQ(combo.drive(), dir.path());
    EXPECT_EQ(driveChanged.count(), 2);

    Q_EMIT combo.activated(combo.findData(QByteArray::fromStdString(dir / "unplugged")));
    EXPECT_EQ(tree.directory(), dir.path()) << "a volume that cannot be entered";
    EXPECT_EQ(combo.drive(), dir.path());
}

TEST_F(BrowsingControlsTest, TheVolumeListIsReadAgainWhenItOpens) {
    TwoVolumes volumes({dir.path()});
    Platform p;
    p.volumes = &volumes;
    ScopedPlatform fake(p);
    DriveComboBox combo;
    DirectoryListBox tree;
    combo.setDirList(&tree);
    ASSERT_TRUE(tree.setDirectory(dir.path()));
    ASSERT_EQ(combo.count(), 1);

    volumes.roots.push_back(dir.mkdir("plugged-in"));
    combo.showPopup();
    combo.hidePopup();
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.drive(), dir.path());

    volumes.roots = {dir / "plugged-in"};  // the tree's volume went away
    combo.showPopup();
    combo.hidePopup();
    EXPECT_EQ(combo.drive(), dir.path()) << "the selector keeps naming the tree's volume";
}

}  // namespace
