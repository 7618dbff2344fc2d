// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QListView>

#include "controls/FolderTree.h"

class FolderFiles;
class FolderWatch;
class DirectoryEntryModel;

// A folder tree in the classic list form: entry 0 is the root of the volume
// that holds the current folder, then one entry per folder down to the
// current one, then the current folder's subfolders. Double-click or Enter
// opens an entry. A linked FolderFiles follows the current folder. When
// subfolders appear in or vanish from the current folder, the entries follow
// on their own. Commands reach it as FolderTree.
class DirectoryListBox : public QListView, public FolderTree {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    // FolderTree
    const std::string& directory() const override { return directory_; }
    bool setDirectory(const std::string& folder) override;
    // Re-reads the current folder's subfolders and the linked file list.
    void reread() override;
    int entryCount() const override;
    std::string entryPath(int i) const override;
    int currentEntry() const override;

    void setFileList(FolderFiles* files) { fileList_ = files; }
    FolderFiles* fileList() const { return fileList_; }
    FolderWatch* folderWatch() const { return watch_; }

Q_SIGNALS:
    void directoryChanged();

private:
    void openEntry(const QModelIndex& index);
    void rebuild(const std::string& folder);
    // Re-reads the subfolders after a change in the folder, keeping the
    // highlighted entry and the scroll position.
    void folderChanged();

    DirectoryEntryModel* model_;
    std::string directory_;
    FolderFiles* fileList_ = nullptr;
    FolderWatch* watch_;
};
