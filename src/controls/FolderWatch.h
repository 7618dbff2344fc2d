// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QObject>
#include <QTimer>

class QFileSystemWatcher;

// Watches the entries of one folder (not its subtree). A burst of changes is
// reported as one changed() after a short pause; a slow handler (a large
// folder) stretches the pause so that re-reading never dominates.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);

    // Watches folder instead of the previous one; empty watches nothing.
    void setFolder(const std::string& folder);
    const std::string& folder() const { return folder_; }
    // Pause between the first change of a burst and changed().
    int delayMs() const { return timer_.interval(); }

Q_SIGNALS:
    void changed();

private:
    void folderTouched(const QString& path);
    void report();

    QFileSystemWatcher* watcher_;
    QTimer timer_;
    std::string folder_;
    QString watched_;  // the path given to the watcher
};
