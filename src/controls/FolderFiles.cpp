// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/FolderFiles.h"

#include "controls/FolderListing.h"
#include "controls/FolderWatch.h"
#include "util/PathText.h"

FolderFiles::FolderFiles(QObject* parent) : QObject(parent), watch_(new FolderWatch(this)) {
    connect(watch_, &FolderWatch::changed, this, &FolderFiles::folderChanged);
}

void FolderFiles::setDirectory(const std::string& folder) {
    directory_ = folder;
    watch_->setFolder(folder);
    reread();
}

void FolderFiles::setMask(const std::string& mask) {
    mask_ = mask;
    reread();
}

void FolderFiles::reread() {
    names_ = directory_.empty() ? std::vector<std::string>() : listMatchingFiles(directory_, mask_);
    Q_EMIT changed();
}

void FolderFiles::folderChanged() {
    if (directory_.empty()) return;
    watch_->setFolder(directory_);  // watches again a folder that was removed and made anew
    std::vector<std::string> names = listMatchingFiles(directory_, mask_);
    if (names == names_) return;
    names_ = std::move(names);
    autoRefreshing_ = true;
    Q_EMIT changed();
    autoRefreshing_ = false;
}

void FolderFiles::renameEntry(std::size_t row, std::string name) { names_.at(row) = std::move(name); }

std::string FolderFiles::fullPath(std::size_t row) const { return joinPath(directory_, names_.at(row)); }

std::vector<std::string> FolderFiles::fullPaths() const {
    std::vector<std::string> paths;
    paths.reserve(names_.size());
    for (const std::string& name : names_) paths.push_back(joinPath(directory_, name));
    return paths;
}
