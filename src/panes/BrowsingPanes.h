// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class FolderFiles;
class FolderTree;
class ListRows;
class PathListModel;

// What the browsing panes act on.
struct PanesContext {
    const bool& formReady;                 // false until the window's first show
    FolderFiles& leftFiles;                // FileListBox1: the left folder's files
    PathListModel& foundFiles;             // FilePathListBox: full paths, shown by name
    ListRows& nameList;                    // FileNameListBox: shows foundFiles
    ListRows& dataList;                    // DataListBox
    const std::string& dataFileExtensions;  // ".txt;" and the like
    const bool& searching;                 // a search is filling foundFiles
};

// The left pane's found files, data-file loading and the data list's hint.
class BrowsingPanes {
public:
    explicit BrowsingPanes(PanesContext context) : c_(context) {}

    void FileListBox1Change();
    void FileNameListBoxClick();
    void DataListBoxClick();
    void UpdateDataListHint();

private:
    // True when the found files are the left folder's files (not search
    // results) and no search is filling them.
    bool foundFilesShowFolder() const;
    void loadDataFile(const std::string& path);

    PanesContext c_;
    std::string builtFolder_;  // folder the found files were last built from
};

enum class TreeAlignment { DirectorySetLeft, DirectorySetRight, Other };
// DirectorySetLeft moves the right tree to the left tree's folder,
// DirectorySetRight the other way round.
void DirectorySetLeftExecute(TreeAlignment sender, FolderTree& left, FolderTree& right);

// Moves tree to selectedFolders[index]; tells the user when it cannot.
void SelectedFolder_Click(FolderTree& tree, const std::vector<std::string>& selectedFolders,
                          int index);
