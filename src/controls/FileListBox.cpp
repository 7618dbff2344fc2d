#include "controls/FileListBox.h"

#include <algorithm>

#include "controls/FolderListing.h"
#include "controls/FolderWatch.h"
#include "util/PathText.h"

FileListBox::FileListBox(QWidget* parent, bool multiSelect)
    : PathListBox(parent, multiSelect), watch_(new FolderWatch(this)) {
    connect(watch_, &FolderWatch::changed, this, &FileListBox::folderChanged);
}

void FileListBox::setDirectory(const std::string& folder) {
    directory_ = folder;
    watch_->setFolder(folder);
    reread();
}

void FileListBox::setMask(const std::string& mask) {
    mask_ = mask;
    reread();
}

void FileListBox::reread() {
    showNames(directory_.empty() ? std::vector<std::string>()
                                 : listMatchingFiles(directory_, mask_));
    Q_EMIT changed();
}

void FileListBox::folderChanged() {
    if (directory_.empty()) return;
    watch_->setFolder(directory_);  // watches again a folder that was removed and made anew
    std::vector<std::string> names = listMatchingFiles(directory_, mask_);
    if (names == list()->rows()) return;
    showNames(std::move(names));
    autoRefreshing_ = true;
    Q_EMIT changed();
    autoRefreshing_ = false;
}

void FileListBox::showNames(std::vector<std::string> names) {
    const bool sameFolder = directory_ == shownDirectory_;
    shownDirectory_ = directory_;
    if (!sameFolder) {
        list()->setRows(std::move(names));
        return;
    }
    const int current = currentRow();
    int keep = -1;
    if (current >= 0) {
        const std::string& name = list()->at(std::size_t(current));
        const auto it = std::find(names.begin(), names.end(), name);
        if (it != names.end()) keep = int(it - names.begin());
    }
    replaceRows(std::move(names), keep);
}

std::string FileListBox::fullPath(int row) const {
    return joinPath(directory_, list()->at(std::size_t(row)));
}
