// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times the click on a data file until the data list is filled and painted,
// then select-all and scrolling on that list. Usage:
//   bench_datalist DATAFILE [single|batched]
// Runs on whatever Qt platform is set (offscreen in the script). Settings are
// kept in a scratch folder; no dialog ever waits for an answer.
#include <cstdio>
#include <sys/resource.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include "app/CopyForm.h"
#include "BenchPlatform.h"
#include "panes/BrowsingPanes.h"
#include "platform/ApplicationSetup.h"
#include "util/DataFile.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/PathListBox.h"
#include "platform/Platform.h"
#include "platform/linux/QtUserDialogs.h"
#include "util/PathText.h"

namespace {

// Processes events until the list's layout covers every row.
void settle(PathListBox& list) {
    QScrollBar* bar = list.verticalScrollBar();
    const int rows = list.count();
    for (int i = 0; i < 100000; ++i) {
        QCoreApplication::processEvents();
        const bool laidOut = list.verticalScrollMode() == QAbstractItemView::ScrollPerItem
                                 ? bar->maximum() >= rows - 1000
                                 : bar->maximum() >= (rows - 1000) * 12;
        if (laidOut) break;
    }
    list.viewport()->repaint();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATAFILE [single|batched]\n", argv[0]);
        return 2;
    }
    const std::string dataFile = argv[1];
    const std::string layout = argc > 2 ? argv[2] : "";
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();
    NoDialogs dialogs;
    ScratchSettings settings(folderPart(dataFile));
    platform().dialogs = &dialogs;
    platform().settingsLocation = &settings;

    // Reading and cutting alone, for reference.
    {
        const auto start = Clock::now();
        std::vector<std::string> rows;
        readDataFile(dataFile, rows);
        std::printf("read and parse:        %8.1f ms  (%zu rows)\n", msSince(start), rows.size());
    }

    TCopyForm form;
    form.resize(1200, 800);
    form.show();
    form.FileListBox1->setMask("*.txt");
    form.DataFileExtensions = ".txt;";
    form.directoryListBox1()->setDirectory(folderPart(dataFile));
    QCoreApplication::processEvents();
    PathListBox& data = *form.dataListBox();
    if (layout == "single") data.setLayoutMode(QListView::SinglePass);
    if (layout == "batched") data.setLayoutMode(QListView::Batched);
    const int row = form.fileNameListBox()->findRow(dataFile);
    if (row < 0) {
        std::fprintf(stderr, "data file not listed\n");
        return 1;
    }
    form.fileNameListBox()->setCurrentRow(row);

    auto start = Clock::now();
    Q_EMIT form.fileNameListBox()->userClicked();
    const double handler = msSince(start);
    settle(data);
    std::printf("click to filled list:  %8.1f ms  (handler %.1f ms, %d rows, layout %s)\n",
                msSince(start), handler, data.count(),
                data.layoutMode() == QListView::Batched ? "batched" : "single pass");

    start = Clock::now();
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(&data, &selectAll);
    data.viewport()->repaint();
    std::printf("select all (Ctrl+A):   %8.1f ms  (%zu rows selected)\n", msSince(start),
                data.selectedRows().size());

    QScrollBar* bar = data.verticalScrollBar();
    double worst = 0;
    start = Clock::now();
    const int steps = 200;
    for (int i = 0; i < steps; ++i) {
        const auto one = Clock::now();
        bar->setValue(int((long long)bar->maximum() * ((i * 37) % steps) / steps));
        data.viewport()->repaint();
        worst = std::max(worst, msSince(one));
    }
    std::printf("scroll and repaint:    %8.2f ms each, worst %.2f ms (%d jumps)\n",
                msSince(start) / steps, worst, steps);

    start = Clock::now();
    for (int i = 0; i < 100; ++i) {
        QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&data, &pageDown);
        data.viewport()->repaint();
    }
    std::printf("page down and repaint: %8.2f ms each\n", msSince(start) / 100);

    start = Clock::now();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(&data, &end);
    data.viewport()->repaint();
    std::printf("Ctrl+End and repaint:  %8.2f ms\n", msSince(start));

    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory:           %8.0f MB\n", double(usage.ru_maxrss) / 1024);
    form.hide();
    return 0;
}
