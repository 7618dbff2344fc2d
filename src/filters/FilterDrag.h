// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

struct FilterContext;

// Between a mouse down on the filter list and the following mouse up.
struct FilterDragState {
    bool dragging = false;
    int index = 0;  // the row of the entry being dragged
};

// A mouse down: a double click opens the add dialog wherever it lands; any
// other press starts a drag of the current row (the row just pressed).
void FilterCheckListBoxMouseDown(FilterDragState& drag, const FilterContext& c, bool doubleClick);
// The pointer over targetRow (-1: over no entry): a dragged user filter
// changes places with the user filter there and stays the current row.
void FilterCheckListBoxMouseMove(FilterDragState& drag, const FilterContext& c, int targetRow);
void FilterCheckListBoxMouseUp(FilterDragState& drag);
