// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filters/FilterDrag.h"

#include "controls/ListRows.h"
#include "filters/FilterCommands.h"
#include "filters/FilterList.h"

void FilterCheckListBoxMouseDown(FilterDragState& drag, const FilterContext& c, bool doubleClick) {
    if (doubleClick) {
        drag.dragging = false;
        FilterAddExecute(c);
        return;
    }
    drag.index = c.view.currentRow();
    drag.dragging = drag.index > 0;
}

void FilterCheckListBoxMouseMove(FilterDragState& drag, const FilterContext& c, int targetRow) {
    if (!drag.dragging || drag.index < 2) return;
    if (targetRow == drag.index || targetRow < 2 || targetRow >= c.filters.count()) return;
    c.filters.exchange(drag.index, targetRow);
    drag.index = targetRow;
    c.view.setCurrentRow(targetRow);
}

void FilterCheckListBoxMouseUp(FilterDragState& drag) {
    drag.dragging = false;
    drag.index = 0;
}
