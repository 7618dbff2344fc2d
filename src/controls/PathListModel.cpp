// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/PathListModel.h"

#include "controls/ListRows.h"

#include "util/PathText.h"
#include "util/DisplayText.h"

int PathListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant PathListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return displayPath(showNames_ ? fileNamePart(rows_[std::size_t(index.row())])
                                      : rows_[std::size_t(index.row())]);
    return {};
}

void PathListModel::setRows(std::vector<std::string> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void PathListModel::editRows(const std::function<void(std::vector<std::string>&)>& edit) {
    beginResetModel();
    try {
        edit(rows_);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void PathListModel::append(std::string row) {
    const int at = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void PathListModel::append(const std::vector<std::string>& rows) {
    if (rows.empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    endInsertRows();
}

void PathListModel::insert(std::size_t row, std::string text) {
    row = std::min(row, rows_.size());
    beginInsertRows(QModelIndex(), int(row), int(row));
    rows_.insert(rows_.begin() + long(row), std::move(text));
    endInsertRows();
}

void PathListModel::setAt(std::size_t row, std::string text) {
    rows_.at(row) = std::move(text);
    const QModelIndex changed = index(int(row));
    Q_EMIT dataChanged(changed, changed);
}

void PathListModel::removeAt(std::size_t row) {
    if (row >= rows_.size()) return;
    beginRemoveRows(QModelIndex(), int(row), int(row));
    rows_.erase(rows_.begin() + long(row));
    endRemoveRows();
}

void PathListModel::clear() {
    if (rows_.empty()) return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ListRows::count() const { return static_cast<int>(paths().size()); }
