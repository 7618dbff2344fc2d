// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/SearchCommand.h"

#include <stdexcept>

#include "platform/Messages.h"
#include "search/FileSearchAllThread.h"

namespace {

// Longest wait for a search to notice that the window closes: it looks after
// every entry, so only a system call that hangs (a lost network volume) can
// keep it longer.
constexpr int kEndWaitMs = 1500;

}  // namespace

void FileSearchAllExecute(const SearchContext& c) {
    if (c.stop.searching) {
        notice(QStringLiteral("検索中"));
        return;
    }
    TFileSearchAllThread* thread = nullptr;
    try {
        c.stop.cover();
        thread = new TFileSearchAllThread();
        c.searchThread = thread;
    } catch (const std::exception&) {
        c.stop.hide();  // no search runs: the tree must not stay covered
        notice(QStringLiteral("Set_ThreadError"));
        return;
    }
    try {
        thread->SetSearchParams(c.leftFolder, c.mask, c.foundFiles, c.nameList, c.stop,
                                c.findHiddenFile);
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
