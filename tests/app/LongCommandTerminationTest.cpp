// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A termination signal while a long command runs on the user-interface
// thread: the command stops at its next step, the window closes and writes
// its settings. Each row runs the window in a child process (a death test),
// since the ending ends the event loop for good.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <utility>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "engine/EmptyFolders.h"
#include "engine/PosixFileOps.h"
#include "filters/FilterList.h"
#include "platform/TerminationSignals.h"
#include "support/TestEnvironment.h"
#include "util/SyscallSeam.h"

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

std::size_t entriesIn(const std::string& folder) {
    std::error_code missing;
    return std::size_t(std::distance(fs::directory_iterator(folder, missing), {}));
}

Rows files(const TempDir& dir, const std::string& folder, int count, const char* extension) {
    Rows rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(dir.write(folder + "/f" + std::to_string(i) + extension));
    return rows;
}

// When the signal comes.
enum class At { Start, FirstListing, FirstRemoval };

int listings = 0;  // folders the cleanup has read

struct Row {
    const char* action;
    std::function<void(TCopyForm&, const TempDir&)> prepare;  // the window and the disk
    // The command stopped before it got far.
    std::function<bool(TCopyForm&, const TempDir&)> stopped;
    At at = At::Start;
};

const Row kRows[] = {
    {"DeleteNoFileDirectory",
     [](TCopyForm& f, const TempDir& d) {
         for (int i = 0; i < 200; ++i) d.mkdir("s/d" + std::to_string(i) + "/inner");
         f.directoryListBox2()->setDirectory(d / "s");
     },
     [](TCopyForm&, const TempDir& d) { return listings < 10 && entriesIn(d / "s") == 200; },
     At::FirstListing},
    {"DeleteNoFileDirectory",
     [](TCopyForm& f, const TempDir& d) {
         for (int i = 0; i < 200; ++i) d.mkdir("s/d" + std::to_string(i));
         f.directoryListBox2()->setDirectory(d / "s");
     },
     [](TCopyForm&, const TempDir& d) { return entriesIn(d / "s") >= 190; }, At::FirstRemoval},
    {"ReNameAllFile",
     [](TCopyForm& f, const TempDir& d) {
         f.dataListBox()->list()->setRows(files(d, "p", 200, ".jpg"));
         fakeDialogs().inputs = {QString("A001")};
     },
     [](TCopyForm& f, const TempDir&) {
         for (const auto& p : f.dataListBox()->list()->rows())
             if (!exists(p)) return false;
         return true;
     }},
    {"FileExtToNewExt",
     [](TCopyForm& f, const TempDir& d) {
         f.dataListBox()->list()->setRows(files(d, "p", 200, ".jpg"));
         fakeDialogs().inputs = {QString("png")};
     },
     [](TCopyForm&, const TempDir& d) { return !exists(d / "p/f0.png"); }},
    {"DoFilterDataList",
     [](TCopyForm& f, const TempDir&) {
         Rows rows;
         for (int i = 0; i < 5000; ++i) rows.push_back("/p/f" + std::to_string(i) + (i % 2 ? ".txt" : ".jpg"));
         f.dataListBox()->list()->setRows(rows);
         f.Filters->setEntries({{"*.*", false}, {"*.txt", true}});
     },
     [](TCopyForm& f, const TempDir&) { return f.dataListBox()->count() == 5000; }},
    {"ClassKeepingFileCopy",
     [](TCopyForm& f, const TempDir& d) {
         Rows rows = files(d, "src/a", 50, ".txt");
         for (const auto& p : files(d, "src/b", 50, ".txt")) rows.push_back(p);
         f.dataListBox()->list()->setRows(rows);
         f.directoryListBox2()->setDirectory(d.mkdir("dst"));
         fakeDialogs().baseLevels = {0};
     },
     [](TCopyForm&, const TempDir& d) { return entriesIn(d / "dst") == 0; }},
};

class LongCommandTermination : public PlatformTest {};

// In the child: exits 0 when the command stopped, the window closed and the
// settings were written.
[[noreturn]] void endDuring(const Row& row) {
    ::alarm(20);  // a hang fails the row instead of the whole run
    TempDir dir;
    TCopyForm form;
    form.show();
    CloseOnTerminationSignals(&form);
    row.prepare(form, dir);
    syscalls::Overrides signalling;
    if (row.at == At::FirstRemoval)
        signalling.unlinkat = [](int fd, const char* path, int flags) {
            static bool sent = false;
            if (!std::exchange(sent, true)) ::raise(SIGTERM);
            return ::unlinkat(fd, path, flags);
        };
    syscalls::ScopedOverrides scoped(signalling);
    if (row.at == At::FirstListing)
        emptyFolderSources().listSubfolders = [](int fd, std::vector<std::string>& names) {
            if (++listings == 1) ::raise(SIGTERM);
            return posixops::listSubfolderNamesAt(fd, names);
        };
    QTimer::singleShot(0, [&] {
        if (row.at == At::Start) ::raise(SIGTERM);
        form.action(row.action)->trigger();
    });
    QApplication::exec();
    const bool stopped = row.stopped(form, dir), closed = form.isHidden(),
               written = exists(fakeSettingsLocation().file);
    std::fprintf(stderr, "stopped %d, closed %d, settings written %d\n", stopped, closed, written);
    std::error_code ignored;
    fs::remove_all(testHome(), ignored);  // this process's own home: _Exit skips its removal
    std::_Exit(stopped && closed && written ? 0 : 1);
}

TEST_F(LongCommandTermination, EachLongCommandStopsAndTheWindowClosesWithItsSettings) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Row& row : kRows)
        EXPECT_EXIT(endDuring(row), ::testing::ExitedWithCode(0), "") << row.action;
}

}  // namespace
