// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class FolderRows;
class ListRows;
class PathListModel;
class QAction;

// Lists to the clipboard as list text, and pasted text into the data list.

// Enables paste exactly when the clipboard holds text (when the Edit
// submenu opens).
void EditClickExecute(QAction& paste);
void ClipBoardCopyDataListExecute(const PathListModel& dataList);
void ClipBoardCopyLeftExecute(const PathListModel& foundFiles);
// The right pane's files as full paths, gathered through the scratch list
// (emptied again afterwards).
void ClipBoardCopyRightExecute(const FolderRows& rightFiles, std::vector<std::string>& scratch);
// Replaces the data list by the rows of the clipboard text; nothing is
// selected afterwards. The text is read and split off the window's thread:
// the rows come in later (ClipboardPaste).
void ClipBoardPasteExecute(ListRows& dataList);
