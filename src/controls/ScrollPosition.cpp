// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/ScrollPosition.h"

#include <QAbstractItemView>
#include <QScrollBar>

ScrollPosition ScrollPosition::of(const QAbstractItemView* view) {
    return {view->verticalScrollBar()->value(), view->horizontalScrollBar()->value()};
}

void ScrollPosition::restore(QAbstractItemView* view) const {
    view->doItemsLayout();
    view->verticalScrollBar()->setValue(vertical);
    view->horizontalScrollBar()->setValue(horizontal);
}
