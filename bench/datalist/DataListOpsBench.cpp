// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times the data-list commands on a long list, each through its action in the
// real window (offscreen) and up to the repainted list. Usage:
//   bench_datalist_ops ops DATAFILE WORKDIR   load (a click on the data file
//                                             in the left pane), sort,
//                                             duplicates, extraction, select
//                                             all, save, copy
//   bench_datalist_ops paste TEXTFILE         paste of the file's text
//   bench_datalist_ops paste-x                paste of the text another X
//                                             client holds on the clipboard
//                                             (run on the xcb platform)
// Prints one "name milliseconds" line per command, then the peak memory.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTimer>
#include <QScrollBar>

#include "BenchPlatform.h"
#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "datalist/ClipboardPaste.h"
#include "filters/FilterList.h"
#include "platform/ApplicationSetup.h"
#include "platform/Platform.h"
#include "util/DataFile.h"
#include "util/IniFileIo.h"
#include "util/PathText.h"

namespace {

// The peak resident memory (VmHWM), since the start or the last reset.
double peakMegabytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1) break;
    std::fclose(status);
    return kb / 1024;
}

void resetPeak() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// Runs the action and paints the list once; returns the milliseconds.
double timed(TCopyForm& form, const char* action) {
    QCoreApplication::processEvents();
    const auto start = Clock::now();
    form.action(action)->trigger();
    QCoreApplication::processEvents();
    form.dataListBox()->viewport()->repaint();
    return msSince(start);
}

void load(TCopyForm& form, const std::string& file) {
    form.dataListBox()->list()->clear();  // one list in memory at a time
    std::vector<std::string> rows;
    if (readDataFile(file, rows) != DataFileRead::Ok) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        std::exit(1);
    }
    form.dataListBox()->list()->setRows(std::move(rows));
    QCoreApplication::processEvents();
}

// Clicks the data file in the left pane, as the user loads it; returns the
// milliseconds until the list is filled, laid out and painted.
double clickDataFile(TCopyForm& form, const std::string& file) {
    form.FileListBox1->setMask("*.txt");
    form.DataFileExtensions = ".txt;";
    form.directoryListBox1()->setDirectory(folderPart(file));
    QCoreApplication::processEvents();
    const int row = form.fileNameListBox()->findRow(file);
    if (row < 0) {
        std::fprintf(stderr, "%s is not listed in the left pane\n", file.c_str());
        std::exit(1);
    }
    form.fileNameListBox()->setCurrentRow(row);
    PathListBox& data = *form.dataListBox();
    const auto start = Clock::now();
    Q_EMIT form.fileNameListBox()->userClicked();
    QScrollBar* bar = data.verticalScrollBar();
    const int rows = data.count();
    for (int i = 0; i < 100000 && bar->maximum() < rows - 1000; ++i) QCoreApplication::processEvents();
    data.viewport()->repaint();
    return msSince(start);
}

int ops(TCopyForm& form, NoDialogs& dialogs, const std::string& file, const std::string& work) {
    PathListBox& data = *form.dataListBox();
    std::printf("load %.1f\n", clickDataFile(form, file));
    const std::size_t rows = data.list()->size();
    std::printf("rows %zu\n", rows);
    std::printf("sort %.1f\n", timed(form, "SortDataList"));
    std::printf("peak_after_sort %.0f\n", peakMegabytes());

    load(form, file);
    std::printf("dedupe %.1f\n", timed(form, "DeleteSameData"));
    std::printf("dedupe_rows %zu\n", data.list()->size());
    std::printf("peak_after_dedupe %.0f\n", peakMegabytes());

    load(form, file);
    form.Filters->setEntries({{"*.*", false}, {"*.txt", true}, {"*.jpg", true}, {"*.mp3", true}});
    std::printf("extract %.1f\n", timed(form, "DoFilterDataList"));
    std::printf("extract_rows %zu\n", data.list()->size());

    load(form, file);
    data.setCurrentRow(int(rows / 2));
    std::printf("select_all %.1f\n", timed(form, "SelectAllDataList"));
    std::printf("select_all_rows %zu\n", data.selectedRows().size());

    const std::string saved = work + "/saved.txt";
    ::unlink(saved.c_str());
    dialogs.saveAs = saved;
    std::printf("save %.1f\n", timed(form, "SaveFileListDataList"));
    std::printf("peak_before_copy %.0f\n", peakMegabytes());
    // Last: the clipboard then holds the whole text for as long as it owns it.
    std::printf("copy %.1f\n", timed(form, "ClipBoardCopyDataList"));
    return 0;
}

int paste(TCopyForm& form, const std::string& file) {
    {
        std::string bytes;
        if (readWholeFile(file, bytes) != FileReadResult::Read) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        QGuiApplication::clipboard()->setText(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
        std::printf("paste_bytes %zu\n", bytes.size());
    }
    // From here on: the clipboard's text and what the paste makes of it.
    std::printf("peak_setup %.0f\n", peakMegabytes());
    resetPeak();
    std::printf("paste %.1f\n", timed(form, "ClipBoardPaste"));
    std::printf("paste_rows %zu\n", form.dataListBox()->list()->size());
    return 0;
}

// From the command to the painted list while another program hands the
// text over; also the longest the window went without answering (a 5 ms
// timer that could not run).
int pasteFromX(TCopyForm& form) {
    QCoreApplication::processEvents();
    Clock::time_point last = Clock::now();
    double longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        longestGap = std::max(longestGap, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    });
    tick.start(5);
    const auto start = Clock::now();
    last = start;
    form.action("ClipBoardPaste")->trigger();
    while (ClipboardPaste::pending(*form.dataListBox()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
    form.dataListBox()->viewport()->repaint();
    const double total = msSince(start);
    const Clock::time_point now = Clock::now();
    longestGap = std::max(longestGap, std::chrono::duration<double, std::milli>(now - last).count());
    std::printf("paste_x %.1f\n", total);
    std::printf("paste_x_gap %.1f\n", longestGap);
    std::printf("paste_x_rows %zu\n", form.dataListBox()->list()->size());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool isOps = argc == 4 && std::strcmp(argv[1], "ops") == 0;
    const bool isPaste = argc == 3 && std::strcmp(argv[1], "paste") == 0;
    const bool isPasteX = argc == 2 && std::strcmp(argv[1], "paste-x") == 0;
    if (!isOps && !isPaste && !isPasteX) {
        std::fprintf(stderr, "usage: %s ops DATAFILE WORKDIR | paste TEXTFILE | paste-x\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();
    NoDialogs dialogs;
    dialogs.verbose = false;
    const std::string work = isOps     ? std::string(argv[3])
                             : isPaste ? folderPart(argv[2])
                                       : QDir::homePath().toStdString();
    ScratchSettings settings(work);
    platform().dialogs = &dialogs;
    platform().settingsLocation = &settings;

    TCopyForm form;
    form.resize(1200, 800);
    form.show();
    form.directoryListBox1()->setDirectory(work);
    form.directoryListBox2()->setDirectory(work);
    QCoreApplication::processEvents();

    const int result = isOps     ? ops(form, dialogs, argv[2], work)
                       : isPaste ? paste(form, argv[2])
                                 : pasteFromX(form);
    std::printf("peak_mb %.0f\n", peakMegabytes());
    form.hide();
    return result;
}
