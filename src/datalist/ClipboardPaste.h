// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <string>
#include <vector>

#include <QObject>

class ListRows;
class QThread;

// A paste into the data list that reads and splits the clipboard's text on
// a thread of its own, so that the window goes on painting and answering
// while another program hands over a long text. The wait cursor shows until
// the rows are in; one paste at a time per list.
class ClipboardPaste : public QObject {
    Q_OBJECT
public:
    // Starts a paste into dataList unless one is on its way. The paste goes
    // with the list's rows (it is a child of their model).
    static void start(ListRows& dataList);
    static bool pending(const ListRows& dataList);

    // Stops the reading, waits for the thread; the list stays as it is.
    ~ClipboardPaste() override;

private:
    explicit ClipboardPaste(ListRows& dataList);
    void finish(std::vector<std::string> rows);
    // The reader could not get the text: read on this thread.
    void readHere();

    ListRows& list_;
    QThread* thread_ = nullptr;
    std::atomic<bool> cancelled_{false};
    bool cursorShown_ = false;
};
