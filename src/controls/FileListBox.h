// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "controls/FolderFiles.h"
#include "controls/FolderRows.h"
#include "controls/PathListBox.h"

// Shows the files of a FolderFiles by name. A re-reading of the same folder
// keeps the current row (when its file is still there) and the scroll
// position. Emits changed() after every re-reading it shows. Commands reach
// it as FolderRows.
class FileListBox : public PathListBox, public FolderRows {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr, bool multiSelect = false);

    FolderFiles* files() const { return files_; }
    const std::string& directory() const { return files_->directory(); }
    const std::string& mask() const { return files_->mask(); }
    void setDirectory(const std::string& folder) { files_->setDirectory(folder); }
    void setMask(const std::string& mask) { files_->setMask(mask); }
    void reread() { files_->reread(); }
    // FolderRows
    int count() const override { return PathListBox::count(); }
    int currentRow() const override { return PathListBox::currentRow(); }
    void setCurrentRow(int row) override { PathListBox::setCurrentRow(row); }
    const std::string& nameAt(int row) const override { return list()->at(std::size_t(row)); }
    std::string fullPath(int row) const override { return files_->fullPath(std::size_t(row)); }
    void renameRow(int row, const std::string& name) override;
    bool autoRefreshing() const { return files_->autoRefreshing(); }
    FolderWatch* folderWatch() const { return files_->folderWatch(); }

Q_SIGNALS:
    void changed();

private:
    void showNames();

    FolderFiles* files_;
    std::string shownDirectory_;
};
