// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The least a Qt Widgets program does to show a window: one list view in a
// main window. Prints the wall-clock time (CLOCK_REALTIME, nanoseconds) once
// it has been painted for the first time, then quits; the floor the
// program's start-up is measured against.
#include <cstdio>
#include <ctime>

#include <QApplication>
#include <QEvent>
#include <QListView>
#include <QMainWindow>
#include <QStringListModel>
#include <QTimer>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
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
    QApplication app(argc, argv);
    FirstPaint probe;
    QMainWindow window;
    QStringListModel rows;
    auto* list = new QListView(&window);
    list->setModel(&rows);
    window.setCentralWidget(list);
    window.resize(900, 600);
    window.installEventFilter(&probe);
    list->viewport()->installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}
