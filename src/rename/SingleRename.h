// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class FolderRows;
class PathListModel;
class RowCursor;

// Renames the file of the current row after the checks and questions a
// system, hidden or read-only file gets, and shows the new name in that row;
// a name that is taken is refused, never replaced.

// The right pane's file list.
void ReNameFileNameRightExecute(FolderRows& rightFiles);
// The left pane's found files: names lists them by name, paths holds them
// (the model names shows).
void RenameFileNameLeftExecute(RowCursor& names, PathListModel& paths);
