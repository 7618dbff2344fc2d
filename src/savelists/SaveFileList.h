// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QStringList>

#include "bulk/PaneRefresh.h"

class FolderRows;
class PathListModel;

// The actions bound to SaveFileListDataListExecute; Other stands for any
// other caller.
enum class SaveListAction { SaveFileListDataList, SaveFileListLeft, SaveFileListRight, Other };

// The window's save dialog: it remembers the filter entry chosen last.
struct SaveDialogMemory {
    int filterIndex = 0;
};

// What the save command acts on.
struct SaveListContext {
    const PathListModel& dataList;
    const PathListModel& foundFiles;   // FilePathListBox
    const FolderRows& rightFiles;      // FileListBox2
    std::vector<std::string>& scratch;  // OpenDialogListBox: empty between commands
    const std::string& txtFilter;      // the data-file masks, ";"-joined
    std::string startFolder;           // the right pane's folder
    SaveDialogMemory& dialog;
    FolderTrees trees;
};

// The save dialog's entries: one per data-file mask, then all files, with
// the extension each mask entry gives a name that has none.
struct SaveFilters {
    QStringList names;                    // Qt name filters, shown as "(*.txt)"
    std::vector<std::string> extensions;  // per mask entry: ".txt"
};
SaveFilters BuildSaveFilters(const std::string& txtFilter);
// path with the chosen entry's extension when its name has none.
std::string WithDefaultExtension(const std::string& path, const SaveFilters& filters, int chosen);

// Writes the chosen list as a data file (every entry followed by CR LF),
// replacing a file only after a Yes and only as a whole, then refreshes the
// panes for the file's folder.
void SaveFileListDataListExecute(SaveListAction action, const SaveListContext& context);
