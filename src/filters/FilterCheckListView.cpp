// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filters/FilterCheckListView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

FilterCheckListView::FilterCheckListView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
}

int FilterCheckListView::rowAt(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

int FilterCheckListView::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FilterCheckListView::setCurrentRow(int row) { setCurrentIndex(model()->index(row, 0)); }

QRect FilterCheckListView::checkBoxRect(int row) const {
    const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
    if (!index.isValid()) return {};
    // As the delegate lays the row out.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.index = index;
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.checkState = index.data(Qt::CheckStateRole).value<Qt::CheckState>();
    option.text = index.data(Qt::DisplayRole).toString();
    return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

int FilterCheckListView::checkBoxAt(const QPoint& pos) const {
    const int row = rowAt(pos);
    return row >= 0 && checkBoxRect(row).contains(pos) ? row : -1;
}

void FilterCheckListView::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    clicking_ = true;
    pressedRow_ = rowAt(event->position().toPoint());
    pressedBox_ = checkBoxAt(event->position().toPoint());
    Q_EMIT mouseDown(false, pressedRow_);
}

void FilterCheckListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) return;
    clicking_ = false;  // the click before it has toggled already
    Q_EMIT mouseDown(true, rowAt(event->position().toPoint()));
}

void FilterCheckListView::mouseMoveEvent(QMouseEvent* event) {
    QListView::mouseMoveEvent(event);
    if (!(event->buttons() & Qt::LeftButton)) return;
    const int row = rowAt(event->position().toPoint());
    if (row != pressedRow_) clicking_ = false;
    Q_EMIT mouseMove(row);
}

void FilterCheckListView::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const bool clicked = clicking_ && rowAt(event->position().toPoint()) == pressedRow_;
    clicking_ = false;
    Q_EMIT mouseUp();
    if (clicked) Q_EMIT entryClicked(pressedBox_);
}

void FilterCheckListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (currentIndex().isValid()) Q_EMIT entryClicked(currentIndex().row());
        return;
    }
    QListView::keyPressEvent(event);
}
