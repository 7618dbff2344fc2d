// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class ListRows;
class PathListModel;

// Commands that edit the data list by hand. They change rows only, never
// files.

// Removes the selected rows after a question; the row that takes the place
// of the first of them (or the last row) is then the one selected.
void DataDeleteExecute(ListRows& dataList);
// Replaces the data list by the left pane's found files.
void FileListTranslateExecute(const PathListModel& foundFiles, ListRows& dataList);
// Sorts in the case-insensitive locale order; the selection goes, the
// current row and the scroll position keep their numbers.
void SortDataListExecute(ListRows& dataList);
// Sorts, then removes every row equal to the one above it when ASCII letters
// are compared without case, and tells how many went.
void DeleteSameDataExecute(ListRows& dataList);
void SelectAllDataListExecute(ListRows& dataList);
void ClearDataListExecute(ListRows& dataList);

// In sorted rows, removes each row that equals the row above it with ASCII
// letters compared without case (the first of every run stays); returns the
// number removed.
int RemoveCaseDuplicates(std::vector<std::string>& sortedRows);
