// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QPointer>

#include "controls/SearchIndicator.h"

class ListRows;
class PathListModel;
class TFileSearchAllThread;

// What the search command acts on.
struct SearchContext {
    const std::string& leftFolder;        // where the search starts
    const std::string& mask;              // the left file list's mask
    bool findHiddenFile;                  // FileSearchFindHiddenFile
    PathListModel& foundFiles;            // FilePathListBox, replaced by the result
    ListRows& nameList;                   // FileNameListBox, shows foundFiles
    const SearchIndicator& stop;          // SearchingButton over DirectoryListBox1, Searching
    QPointer<TFileSearchAllThread>& searchThread;  // the search started last
};

// Shows what thread reports: its captions and its end in indicator, its
// result in foundFiles (nameList, which shows them, does not paint
// meanwhile). All three must outlive the search or its abandonment.
void ShowSearchIn(TFileSearchAllThread& thread, PathListModel& foundFiles, ListRows& nameList,
                  const SearchIndicator& indicator);

// Starts a search below the left folder, one at a time.
void FileSearchAllExecute(const SearchContext& context);
// Asks the running search to stop; a click after its end does nothing.
void SearchingButtonClick(TFileSearchAllThread* searchThread);
// The window is going away: the running search, if any, stops without
// touching the window again; waits a moment for it to end.
void EndSearch(QPointer<TFileSearchAllThread>& searchThread);
