// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/CloseRequests.h"

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "platform/TerminationSignals.h"
#include "platform/linux/X11CloseRequests.h"
#include "util/Termination.h"

namespace {

const char* const kPendingClose = "dorvanPendingClose";

// Closes window once no dialog, menu or operation is open and the command
// that opened them has returned (the main loop runs no nested one).
void closeOnceFree(QPointer<QWidget> window) {
    if (window->property(kPendingClose).toBool()) return;
    window->setProperty(kPendingClose, true);
    auto* timer = new QTimer(window);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, window, [window, timer] {
        if (!window || QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
            fileOperationsInProgress() > 0 || QThread::currentThread()->loopLevel() > 1)
            return;
        timer->stop();
        timer->deleteLater();
        window->setProperty(kPendingClose, false);
        window->close();
    });
    timer->start();
}

}  // namespace

void CloseRequested(QWidget* window) {
    if (!window || terminationRequested()) return;
    if (fileOperationsInProgress() > 0) {
        CloseForTermination(window);
        return;
    }
    if (QApplication::activeModalWidget()) closeOnceFree(window);
}

void KeepCloseRequests(QWidget* window) {
    QPointer<QWidget> target(window);
    WatchX11CloseRequests(window, [target] { CloseRequested(target); });
}
