// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs one whole-tree search as the window does and prints, on one line, the
// milliseconds from the start to the transferred result, the number of files
// found and the peak resident memory of the process in KiB.
//   bench_search [--first] FOLDER MASK
// By default the window has searched the same tree before. With --first the
// search is the first of its session: nothing read the tree before it, and
// the collation is what the program prepared at start-up; the click comes
// half a second after the start.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include "BenchPlatform.h"
#include "controls/PathListBox.h"
#include "platform/Platform.h"
#include "search/FileSearchAllThread.h"
#include "search/SearchCommand.h"
#include "controls/StopButton.h"
#include "engine/FolderScan.h"
#include "filters/MaskExtensions.h"
#include "search/FileCollection.h"
#include "util/Collation.h"
#include "util/PathText.h"

namespace {

long peakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point launched = Clock::now();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const bool first = argc > 1 && std::strcmp(argv[1], "--first") == 0;
    std::optional<std::jthread> collation;
    if (first) {
        collation.emplace(prepareCaseInsensitiveCollation);  // as the program does at start-up
        --argc;
        ++argv;
    }
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s [--first] FOLDER MASK\n", argv[0]);
        return 2;
    }
    installLinuxPlatform();
    NoDialogs dialogs;  // messages go to stderr; nothing waits for a user
    platform().dialogs = &dialogs;

    QWidget panel;
    QWidget tree(&panel);
    QPushButton button(&panel);
    bool searching = false;
    PathListModel found;
    found.setShowNames(true);  // the left pane shows the found files by name
    PathListBox names(nullptr, false, &found);
    Clock::time_point transferred;
    QObject::connect(&found, &QAbstractItemModel::modelReset, [&] { transferred = Clock::now(); });

    // The window has its fonts loaded long before a search: load them here
    // too, outside the time measured.
    found.setRows({"/warm/up/あ.txt"});
    found.clear();
    // And it has searched before: a search thread takes the collation an
    // earlier one left, its tables filled (the first search of a session
    // fills them, some 60 ms more). The walk and sort of an earlier search
    // of the same tree, on a thread of its own:
    if (first) std::this_thread::sleep_until(launched + std::chrono::milliseconds(500));
    else std::thread([&] {
        const std::atomic<bool> never{false};
        FolderScan scan;
        ScanOptions options;
        options.includeHidden = true;
        const MaskExtensions mask(argv[2]);  // what the search keeps, so as not to raise the peak
        options.keepFile = [&](std::string_view name) { return mask.matches(name); };
        scanFolderTree(withTrailingSlash(argv[1]), options, never, scan);
        sortScan(scan);
    }).join();

    const StopButton stop{button, tree, searching};
    stop.cover();
    QPointer<TFileSearchAllThread> search =
        new TFileSearchAllThread(SearchRequest{argv[1], argv[2], true});
    ShowSearchIn(*search, found, names, stop);
    QObject::connect(search, &QObject::destroyed, &app, &QCoreApplication::quit);
    // Phases: the walk ends with the first caption after "フォルダ検索中".
    Clock::time_point walked, collected;
    QObject::connect(search, &TFileSearchAllThread::progress, [&](const QString& caption) {
        if (walked == Clock::time_point() && caption != QStringLiteral("フォルダ検索中"))
            walked = Clock::now();
        if (caption == QStringLiteral("データ転送中")) collected = Clock::now();
    });
    const Clock::time_point start = Clock::now();
    search->start();
    app.exec();
    const std::chrono::duration<double, std::milli> took = transferred - start;
    const auto ms = [&](Clock::time_point t) { return std::chrono::duration<double, std::milli>(t - start).count(); };
    std::fprintf(stderr, "walk %.1f ms, sorted and gathered %.1f ms\n", ms(walked), ms(collected));
    std::printf("%.1f %zu %ld\n", took.count(), found.size(), peakKiB());
    return 0;
}
