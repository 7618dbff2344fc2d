// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/SearchCommand.h"

#include <stdexcept>

#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "platform/Messages.h"
#include "search/FileSearchAllThread.h"

namespace {

// Longest wait for a search to notice that the window closes: it looks after
// every entry, so only a system call that hangs (a lost network volume) can
// keep it longer.
constexpr int kEndWaitMs = 1500;

}  // namespace

void ShowSearchIn(TFileSearchAllThread& thread, PathListModel& foundFiles, ListRows& nameList,
                  const SearchIndicator& indicator) {
    const SearchIndicator* shown = &indicator;
    QObject::connect(&thread, &TFileSearchAllThread::progress, &thread,
                     [shown](const QString& caption) { shown->setCaption(caption); });
    QObject::connect(&thread, &TFileSearchAllThread::released, &thread, [shown] { shown->hide(); });
    QObject::connect(
        &thread, &TFileSearchAllThread::found, &thread,
        [&foundFiles, &nameList](std::vector<std::string>& files, QString& failure) {
            PaintingHeld held(nameList);
            try {
                foundFiles.setRows(std::move(files));
            } catch (const std::exception& e) {
                foundFiles.clear();
                failure = QString::fromUtf8(e.what());
            }
        },
        Qt::DirectConnection);
}

void FileSearchAllExecute(const SearchContext& c) {
    if (c.stop.searching()) {
        notice(QStringLiteral("検索中"));
        return;
    }
    TFileSearchAllThread* thread = nullptr;
    try {
        c.stop.cover();
        thread = new TFileSearchAllThread(
            SearchRequest{c.leftFolder, c.mask, c.findHiddenFile});
        ShowSearchIn(*thread, c.foundFiles, c.nameList, c.stop);
        c.searchThread = thread;
    } catch (const std::exception&) {
        c.stop.hide();  // no search runs: the tree must not stay covered
        notice(QStringLiteral("Set_ThreadError"));
        return;
    }
    try {
        thread->start(QThread::NormalPriority);
        if (!thread->isRunning() && !thread->isFinished())
            throw std::runtime_error("the search thread could not be created");
    } catch (const std::exception&) {
        delete thread;  // hides the stop button
        c.stop.hide();
        notice(QStringLiteral("Set_ThreadError"));
    }
}

void SearchingButtonClick(TFileSearchAllThread* searchThread) {
    if (!searchThread) return;
    try {
        searchThread->RequestStop();
    } catch (const std::exception&) {
        notice(QStringLiteral("Thread Error"));
    }
}

void EndSearch(QPointer<TFileSearchAllThread>& searchThread) {
    if (!searchThread) return;
    searchThread->Abandon();
    // Deleted by the loop (a close may come from inside one of its
    // messages); one still running is left to end with the process, as
    // deleting a running thread would abort the program.
    if (searchThread->wait(QDeadlineTimer(kEndWaitMs))) searchThread->deleteLater();
}
