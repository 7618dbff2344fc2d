// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "controls/FolderFiles.h"
#include "controls/PathListBox.h"

// Shows the files of a FolderFiles by name. A re-reading of the same folder
// keeps the current row (when its file is still there) and the scroll
// position. Emits changed() after every re-reading it shows.
class FileListBox : public PathListBox {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr, bool multiSelect = false);

    FolderFiles* files() const { return files_; }
    const std::string& directory() const { return files_->directory(); }
    const std::string& mask() const { return files_->mask(); }
    void setDirectory(const std::string& folder) { files_->setDirectory(folder); }
    void setMask(const std::string& mask) { files_->setMask(mask); }
    void reread() { files_->reread(); }
    // directory() joined with the name of row.
    std::string fullPath(int row) const { return files_->fullPath(std::size_t(row)); }
    // Shows name in row, whose file was renamed to it, without re-reading.
    void renameRow(int row, const std::string& name);
    bool autoRefreshing() const { return files_->autoRefreshing(); }
    FolderWatch* folderWatch() const { return files_->folderWatch(); }

Q_SIGNALS:
    void changed();

private:
    void showNames();

    FolderFiles* files_;
    std::string shownDirectory_;
};

// Full paths of every row of list into target (cleared first), leaving the
// list's current row as it was; false (after a message) when list is empty.
bool FileListToList(FileListBox& list, PathListModel& target);
bool FileListToList(FileListBox& list, std::vector<std::string>& target);
