// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the program exactly as main() does and prints the wall-clock time
// (CLOCK_REALTIME, nanoseconds) once the main window has been painted for the
// first time, then quits.
#include <cstdio>
#include <ctime>

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "app/Application.h"
#include "app/CopyForm.h"
#include "controls/PathListBox.h"

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report after the paint has been handled and flushed.
            QTimer::singleShot(0, [] {
                timespec ts {};
                clock_gettime(CLOCK_REALTIME, &ts);
                std::printf("%lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    FirstPaint probe;
    return RunApplication(argc, argv, [&probe](TCopyForm& form) {
        form.installEventFilter(&probe);
        form.dataListBox()->installEventFilter(&probe);
    });
}
