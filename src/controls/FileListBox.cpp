// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/FileListBox.h"

#include <algorithm>

FileListBox::FileListBox(QWidget* parent, bool multiSelect)
    : PathListBox(parent, multiSelect), files_(new FolderFiles(this)) {
    connect(files_, &FolderFiles::changed, this, &FileListBox::showNames);
}

void FileListBox::showNames() {
    std::vector<std::string> names = files_->names();
    const bool sameFolder = files_->directory() == shownDirectory_;
    shownDirectory_ = files_->directory();
    if (!sameFolder) {
        list()->setRows(std::move(names));
    } else {
        const int current = currentRow();
        int keep = -1;
        if (current >= 0) {
            const std::string& name = list()->at(std::size_t(current));
            const auto it = std::find(names.begin(), names.end(), name);
            if (it != names.end()) keep = int(it - names.begin());
        }
        replaceRows(std::move(names), keep);
    }
    Q_EMIT changed();
}

void FileListBox::renameRow(int row, const std::string& name) {
    files_->renameEntry(std::size_t(row), name);
    list()->setAt(std::size_t(row), name);
}
