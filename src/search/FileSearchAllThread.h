// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QThread>

#include "filters/MaskExtensions.h"
#include "search/StopButton.h"
#include "search/UiGate.h"

class PathListBox;
class PathListModel;

// The whole-tree search in the background: every file below a start folder
// whose extension the mask names goes into the left pane's found files. It
// shows its progress in the stop button's caption and ends with a message;
// each effect on the window runs on the user-interface thread while the
// search waits for it. Create it, give it its parameters, start() it once;
// it deletes itself when its run has ended.
class TFileSearchAllThread : public QThread {
    Q_OBJECT
public:
    explicit TFileSearchAllThread(QObject* parent = nullptr);
    // Hides the stop button unless the search has handed it back already.
    ~TFileSearchAllThread() override;

    void SetSearchParams(const std::string& StartFolder, const std::string& Masks,
                         PathListModel& PathList, PathListBox& NameList, const StopButton& Stop,
                         bool FindHiddenFile);
    const std::string& startFolder() const { return StartFolder; }
    const std::string& extensionFilter() const { return ExtensionFilter; }

    // Asks the search to stop; it looks after every directory entry it reads.
    void RequestStop();
    // The window is going away: nothing of it is touched any more, a waiting
    // search goes on at once, and it stops.
    void Abandon();

Q_SIGNALS:
    // On the user-interface thread, after the stop button took a new caption.
    void progress(const QString& caption);

protected:
    void run() override;

private:
    void search();
    // Runs effect on the user-interface thread and waits for it; false once
    // the window has gone.
    bool onUi(std::function<void()> effect);
    void setCaption(const QString& text);
    // On the user-interface thread.
    void showCaption(const QString& text);
    // Shows a notice; holds its own copy of the text.
    void message(const QString& text);
    void errorReport(const QString& text);
    bool transfer(std::vector<std::string>& files);

    std::string StartFolder;
    std::string ExtensionFilter = "*.*";
    PathListModel* PathList = nullptr;
    PathListBox* NameList = nullptr;
    std::optional<StopButton> Stop;
    bool FindHiddenFile = false;
    MaskExtensions extensions_;

    std::atomic<bool> stop_{false};
    UiGate gate_{this};
    bool holdsButton_ = false;  // user-interface thread only
};
