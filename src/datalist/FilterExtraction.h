// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>

class FilterList;
#include <QString>

class ListRows;

// The text that shows a command's progress (the window's caption): read
// when the command starts, written while it runs, put back when it ends.
struct ProgressCaption {
    std::function<QString()> text;
    std::function<void(const QString&)> setText;
};

// The checked filters from the second entry on ("*.*" takes no part),
// joined by ";"; empty when none of them is checked.
std::string CheckedFiltersText(const FilterList& filters);

// Keeps only the data-list entries whose extension a checked filter names,
// showing the progress in the caption, and tells how many stayed. A
// termination request leaves the list as it was.
void DoFilterDataListExecute(ListRows& dataList, const FilterList& filters,
                             const ProgressCaption& caption);
