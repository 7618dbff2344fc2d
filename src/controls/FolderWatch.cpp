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

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(kMinDelayMs);
    connect(&timer_, &QTimer::timeout, this, &FolderWatch::report);
}

void FolderWatch::setFolder(const std::string& folder) {
    if (folder == folder_ && watcher_ && !watcher_->directories().isEmpty()) return;
    folder_ = folder;
    timer_.stop();
    // A fresh watcher per folder: the old one's pending events die with it.
    delete watcher_;
    watcher_ = nullptr;
    if (folder.empty()) return;
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::folderTouched);
    const QByteArray bytes = QByteArray::fromStdString(folder);
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes) {
        watcher_->addPath(name);
        return;
    }
    // A name that is not valid in the locale's encoding: watch the folder
    // through a descriptor link. The watch holds the folder's inode, so the
    // descriptor is closed again at once and never keeps a volume busy.
    const int fd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    watcher_->addPath(QStringLiteral("/proc/self/fd/%1").arg(fd));
    ::close(fd);
}

void FolderWatch::folderTouched() {
    if (!timer_.isActive()) timer_.start();
}

void FolderWatch::report() {
    QElapsedTimer cost;
    cost.start();
    Q_EMIT changed();
    timer_.setInterval(std::clamp(int(cost.elapsed()) * 4, kMinDelayMs, kMaxDelayMs));
}
