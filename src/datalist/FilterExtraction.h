// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class FilterList;
class PathListBox;
class QWidget;

// The checked filters from the second entry on ("*.*" takes no part),
// joined by ";"; empty when none of them is checked.
std::string CheckedFiltersText(const FilterList& filters);

// Keeps only the data-list entries whose extension a checked filter names,
// showing the progress in window's caption, and tells how many stayed. A
// termination request leaves the list as it was.
void DoFilterDataListExecute(PathListBox& dataList, const FilterList& filters, QWidget& window);
