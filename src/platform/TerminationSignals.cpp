// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/TerminationSignals.h"

#include <csignal>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "util/Termination.h"

namespace {

int signalPipe[2] = {-1, -1};

// The request is made at once, so that a long command running on the
// user-interface thread sees it at its next step; the window is closed once
// the event loop reads the pipe.
void onSignal(int) {
    requestTermination();
    const char byte = 1;
    const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    (void)ignored;
}

// The window is closed only from the main event loop: a running file
// operation is cancelled first and finishes (its worker never waits on a
// window that is gone), and open dialogs and menus are dismissed as with
// Escape, their careful answer. Should another local event loop never end,
// the window closes after a while anyway.
void closeWhenIdle(QPointer<QWidget> window) {
    auto tries = std::make_shared<int>(0);
    // True once the window was closed (or is gone).
    auto attempt = [window, tries] {
        if (!window) return true;
        // A question of a running operation is answered Cancel this way.
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            return false;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            return false;
        }
        if (fileOperationsInProgress() > 0) return false;  // it stops at its next step
        if (QThread::currentThread()->loopLevel() > 1 && ++*tries < 40) return false;
        window->close();
        return true;
    };
    if (attempt()) return;
    auto* timer = new QTimer(window);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, window, [timer, attempt] {
        if (!attempt()) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

}  // namespace

void CloseForTermination(QWidget* window) {
    requestTermination();
    closeWhenIdle(window);
}

void CloseOnTerminationSignals(QWidget* window) {
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, window);
    QPointer<QWidget> target(window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [target, closing = false]() mutable {
        char buffer[16];
        while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        if (!target || closing) return;
        closing = true;
        CloseForTermination(target);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &action, nullptr);
}
