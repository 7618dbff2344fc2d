// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class FilterList;
class FolderFiles;
class RowCursor;

// What the filter commands act on.
struct FilterContext {
    FilterList& filters;  // the entries and their check marks
    RowCursor& view;      // the filter check list: its current row
    FolderFiles& files;   // the left folder's files: they take the mask
};

// Who runs the click rule: a click on the list itself, or a command.
enum class FilterClickSender { List, Command };

// The click rule: the checked entries become the file-list mask ("*.*" when
// the first entry is checked). With nothing checked the mask stays, the
// current row (the first one when there is none) is checked again, and a
// click on the list is told "１つ以上選択してください".
void FilterCheckListBoxClick(const FilterContext& c, FilterClickSender sender);
// A click on the entry at row (-1: on no entry) toggles its mark; then the
// click rule runs.
void FilterCheckListBoxClickAt(const FilterContext& c, int row);

// Adds a filter (index 0) or edits the entry at index (2 or more) through
// the input dialog; any other index does nothing. The mask is left as it is.
void FilterPushExecute(const FilterContext& c, int index);
void FilterAddExecute(const FilterContext& c);
// Edit and delete act on the current row from the third on.
void FilterEditExecute(const FilterContext& c);
void FilterDeleteExecute(const FilterContext& c);
// Toggles every mark but that of "*.*" ("*.*" is checked when none is left),
// then runs the click rule.
void FilterReverseExecute(const FilterContext& c);
// Back to "*.*" and a checked "*.txt"; the mask becomes "*.txt".
void FilterClearExecute(const FilterContext& c);
