// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Processes events until condition holds or ms pass; returns the condition.
template <class Condition>
bool processEventsUntil(Condition condition, int ms = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return condition();
}

// Processes events for ms.
inline void processEventsFor(int ms) {
    processEventsUntil([] { return false; }, ms);
}
