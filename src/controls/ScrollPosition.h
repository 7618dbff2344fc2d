// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractItemView;

// The scroll position of a view, to be put back after its model was reset.
struct ScrollPosition {
    int vertical = 0;
    int horizontal = 0;

    static ScrollPosition of(const QAbstractItemView* view);
    // Lays the view out at once so that the scroll ranges are known, then
    // scrolls back (as far as the new contents reach).
    void restore(QAbstractItemView* view) const;
};
