// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/FolderWatch.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemWatcher>

namespace {

constexpr int kMinDelayMs = 200;
constexpr int kMaxDelayMs = 2000;

}  // namespace

FolderWatch::FolderWatch(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kMinDelayMs);
    connect(&timer_, &QTimer::timeout, this, &FolderWatch::report);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::folderTouched);
}

void FolderWatch::setFolder(const std::string& folder) {
    if (folder == folder_ && watcher_->directories().contains(watched_)) return;
    folder_ = folder;
    timer_.stop();
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    watched_.clear();
    if (folder.empty()) return;
    const QByteArray bytes = QByteArray::fromStdString(folder);
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes) {
        if (watcher_->addPath(name)) watched_ = name;
        return;
    }
    // A name that is not valid in the locale's encoding: watch the folder
    // through a descriptor link. The watch holds the folder's inode, so the
    // descriptor is closed again at once and never keeps a volume busy.
    const int fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    const QString link = QStringLiteral("/proc/self/fd/%1").arg(fd);
    if (watcher_->addPath(link)) watched_ = link;
    ::close(fd);
}

void FolderWatch::folderTouched(const QString& path) {
    if (path != watched_) return;  // late news about the folder watched before
    if (!timer_.isActive()) timer_.start();
}

void FolderWatch::report() {
    QElapsedTimer cost;
    cost.start();
    Q_EMIT changed();
    timer_.setInterval(std::clamp(int(cost.elapsed()) * 4, kMinDelayMs, kMaxDelayMs));
}
