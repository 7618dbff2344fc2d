// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/PathListBox.h"

#include <algorithm>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QStyle>
#include <QToolTip>

#include "controls/ScrollPosition.h"

// Every row gets the size of the widest one (the view takes one size for all
// rows, which keeps a million rows fast), optionally with a fixed height.
class RowSizeDelegate : public QStyledItemDelegate {
public:
    explicit RowSizeDelegate(PathListBox* list) : QStyledItemDelegate(list), list_(list) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        // A fixed height never clips the font's descenders (an underscore
        // must not look like a blank).
        if (height > 0) s.setHeight(std::max(height, option.fontMetrics.height()));
        s.setWidth(std::max(s.width(), list_->widestRow() + 2 * margin(option)));
        return s;
    }
    int height = 0;

private:
    static int margin(const QStyleOptionViewItem& option) {
        return option.widget ? option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                                                   &option, option.widget) + 1
                             : 4;
    }
    PathListBox* list_;
};

PathListBox::PathListBox(QWidget* parent, bool multiSelect, PathListModel* model)
    : QListView(parent),
      model_(model ? model : new PathListModel(this)),
      delegate_(new RowSizeDelegate(this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    // One size for all rows and one layout pass: a million rows lay out in
    // milliseconds, and the scroll range is right at once.
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { measureRows(0, count()); });
    connect(model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                measureRows(first, last + 1, widest_);
            });
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                measureRows(first.row(), last.row() + 1, widest_);
            });
}

void PathListBox::measureRows(int first, int end, int widest) {
    // The longest rows in bytes are the widest candidates; measure a few.
    constexpr int kMeasured = 8;
    const auto& rows = model_->rows();
    std::vector<std::pair<std::size_t, int>> longest;  // (bytes, row)
    for (int i = first; i < end; ++i) {
        const std::size_t bytes = rows[std::size_t(i)].size();
        if (int(longest.size()) == kMeasured && bytes <= longest.back().first) continue;
        if (int(longest.size()) == kMeasured) longest.pop_back();
        const std::pair<std::size_t, int> entry{bytes, i};
        const auto wider = [](const auto& a, const auto& b) { return a.first > b.first; };
        longest.insert(std::upper_bound(longest.begin(), longest.end(), entry, wider), entry);
    }
    const QFontMetrics metrics(font());
    for (const auto& entry : longest) {
        const QString text = model_->data(model_->index(entry.second), Qt::DisplayRole).toString();
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    widest_ = widest;
}

void PathListBox::replaceRows(std::vector<std::string> rows, int current) {
    editRows([&rows](std::vector<std::string>& list) { list = std::move(rows); }, current);
}

void PathListBox::editRows(const std::function<void(std::vector<std::string>&)>& edit, int current) {
    const ScrollPosition scroll = ScrollPosition::of(this);
    const int oldCurrent = currentRow();
    const bool currentWasVisible =
        oldCurrent >= 0 && viewport()->rect().intersects(visualRect(model_->index(oldCurrent)));
    model_->editRows(edit);
    if (current >= 0 && current < count()) {
        const auto mark = selectionMode() == QAbstractItemView::SingleSelection
                              ? QItemSelectionModel::ClearAndSelect
                              : QItemSelectionModel::NoUpdate;
        selectionModel()->setCurrentIndex(model_->index(current), mark);
    }
    scroll.restore(this);
    if (currentWasVisible && current >= 0 && current < count()) scrollTo(model_->index(current));
}

int PathListBox::findRow(const std::string& text) const {
    const auto& rows = model_->rows();
    const auto it = std::find(rows.begin(), rows.end(), text);
    return it == rows.end() ? -1 : int(it - rows.begin());
}

int PathListBox::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void PathListBox::setCurrentRow(int row) {
    if (row < 0 || row >= count()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::NoUpdate);
}

void PathListBox::selectRow(int row) {
    if (row < 0 || row >= count()) return;
    selectionModel()->select(model_->index(row), QItemSelectionModel::Select);
}

std::vector<int> PathListBox::selectedRows() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& r : selectionModel()->selection())
        for (int i = r.top(); i <= r.bottom(); ++i) rows.push_back(i);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PathListBox::selectAllRows() {
    if (count() == 0) return;
    QItemSelection all(model_->index(0), model_->index(count() - 1));
    selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
}

void PathListBox::showRow(int row) { scrollTo(model_->index(row)); }

void PathListBox::setRowHeight(int pixels) {
    delegate_->height = pixels;
    doItemsLayout();
}

void PathListBox::setHint(const QString& text, bool show) {
    hint_ = text;
    showHint_ = show;
}

void PathListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) Q_EMIT userClicked();
}

void PathListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListView::keyPressEvent(event);
    if (currentRow() != before) Q_EMIT userClicked();
}

bool PathListBox::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (showHint_ && !hint_.isEmpty())
            QToolTip::showText(help->globalPos(), hint_, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QListView::viewportEvent(event);
}
