#include "controls/PathListBox.h"

#include <algorithm>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "controls/ScrollPosition.h"

namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(height_);
        return s;
    }

private:
    int height_;
};

}  // namespace

PathListBox::PathListBox(QWidget* parent, bool multiSelect)
    : QListView(parent), model_(new PathListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(2000);
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void PathListBox::replaceRows(std::vector<std::string> rows, int current) {
    const ScrollPosition scroll = ScrollPosition::of(this);
    const int oldCurrent = currentRow();
    const bool currentWasVisible =
        oldCurrent >= 0 && viewport()->rect().intersects(visualRect(model_->index(oldCurrent)));
    model_->setRows(std::move(rows));
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

void PathListBox::setRowHeight(int pixels) {
    setItemDelegate(new FixedHeightDelegate(pixels, this));
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
