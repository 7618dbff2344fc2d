// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QThread>

#include "filters/MaskExtensions.h"
#include "search/UiGate.h"

// What a search looks for.
struct SearchRequest {
    std::string root;         // the folder it starts in
    std::string masks;        // ";"-joined, as the left file list's mask
    bool findHidden = false;  // hidden files and folders too
};

// The whole-tree search in the background: every file below the request's
// root whose extension the masks name. It reports through its signals, each
// emitted on the user-interface thread, in order, the search waiting for all
// but the later captions, and ends with a message. Create it, connect it (ShowSearchIn), start() it once;
// it deletes itself when its run has ended.
class TFileSearchAllThread : public QThread {
    Q_OBJECT
public:
    explicit TFileSearchAllThread(const SearchRequest& request, QObject* parent = nullptr);
    // Emits released() unless the search has done so already or was
    // abandoned.
    ~TFileSearchAllThread() override;

    const std::string& startFolder() const { return StartFolder; }
    const std::string& extensionFilter() const { return ExtensionFilter; }

    // Asks the search to stop; it looks after every directory entry it reads.
    void RequestStop();
    // The window is going away: nothing of it is touched any more, a waiting
    // search goes on at once, and it stops.
    void Abandon();

Q_SIGNALS:
    // The caption that tells how far the search is.
    void progress(const QString& caption);
    // The files found, sorted, at most MaxSearchFiles: the receiver takes
    // them (a direct connection) and sets failure when it could not.
    void found(std::vector<std::string>& files, QString& failure);
    // The search shows no more progress: right after found(), or when it
    // goes without a result.
    void released();

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
    bool FindHiddenFile = false;
    MaskExtensions extensions_;

    std::atomic<bool> stop_{false};
    UiGate gate_{this};
    bool showsProgress_ = true;  // user-interface thread only
    bool captionShown_ = false;  // the search thread, then the walkers one at a time
};
