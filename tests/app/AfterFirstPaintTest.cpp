// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/AfterFirstPaint.h"

namespace {

void processEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The work waits for the window's first paint and runs once, however often
// the window paints again.
TEST(AfterFirstPaintTest, RunsOnceAfterTheFirstPaint) {
    QWidget window;
    window.resize(200, 100);
    int runs = 0;
    bool paintedBefore = false;
    AfterFirstPaint(window, [&] {
        ++runs;
        paintedBefore = window.isVisible();
    });
    processEventsFor(50);
    EXPECT_EQ(runs, 0);  // not shown: nothing painted
    window.show();
    processEventsFor(200);
    window.repaint();
    window.update();
    processEventsFor(100);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(paintedBefore);
}

}  // namespace
