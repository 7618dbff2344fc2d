// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filters/FilterList.h"

#include <algorithm>

#include "util/DisplayText.h"
#include "util/IniValues.h"
#include "util/SplitWX.h"

namespace {

const char* const kAnyFilter = "*.*";
const char* const kTxtFilter = "*.txt";

std::string joined(const std::vector<FilterEntry>& entries, char separator, bool checkedOnly) {
    std::string text;
    bool first = true;
    for (std::size_t row = 1; row < entries.size(); ++row) {
        if (checkedOnly && !entries[row].checked) continue;
        if (!first) text += separator;
        text += entries[row].text;
        first = false;
    }
    return text;
}

}  // namespace

FilterList::FilterList(QObject* parent)
    : QAbstractListModel(parent), entries_{{kAnyFilter, false}} {}

int FilterList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant FilterList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    const FilterEntry& e = at(index.row());
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return displayPath(e.text);
    if (role == Qt::CheckStateRole) return e.checked ? Qt::Checked : Qt::Unchecked;
    return {};
}

Qt::ItemFlags FilterList::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void FilterList::setEntries(std::vector<FilterEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

void FilterList::setChecked(int row, bool checked) {
    if (row < 0 || row >= count() || entries_[std::size_t(row)].checked == checked) return;
    entries_[std::size_t(row)].checked = checked;
    const QModelIndex i = index(row);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

void FilterList::append(const std::string& text) {
    beginInsertRows({}, count(), count());
    entries_.push_back({text, false});
    endInsertRows();
}

void FilterList::replace(int row, const std::string& text) {
    if (row < 0 || row >= count()) return;
    entries_[std::size_t(row)] = {text, false};
    const QModelIndex i = index(row);
    Q_EMIT dataChanged(i, i);
}

void FilterList::remove(int row) {
    if (row < 0 || row >= count()) return;
    beginRemoveRows({}, row, row);
    entries_.erase(entries_.begin() + row);
    endRemoveRows();
}

void FilterList::exchange(int a, int b) {
    if (a < 0 || b < 0 || a >= count() || b >= count() || a == b) return;
    std::swap(entries_[std::size_t(a)], entries_[std::size_t(b)]);
    Q_EMIT dataChanged(index(std::min(a, b)), index(std::max(a, b)));
}

std::string checkedMask(const std::vector<FilterEntry>& entries) {
    if (entries.empty()) return {};
    if (entries.front().checked) return entries.front().text;
    return joined(entries, ';', true);
}

std::string allFilterText(const std::vector<FilterEntry>& entries) {
    return joined(entries, '/', false);
}

std::string checkFilterText(const std::vector<FilterEntry>& entries, const std::string& mask) {
    if (!entries.empty() && entries.front().checked) return joined(entries, ';', true);
    return mask;
}

std::vector<FilterEntry> RebuildFilterList(std::vector<FilterEntry> entries,
                                           const std::string& allFilter,
                                           const std::string& checkFilter) {
    if (entries.size() != 1) entries = {{kAnyFilter, false}};
    if (trimBlanks(allFilter).empty()) {
        entries.push_back({kTxtFilter, true});
        return entries;
    }
    try {
        TSplitWX splitter;
        splitter.Split(allFilter, "/");
        for (const std::string& field : splitter.Items)
            entries.push_back({field, !field.empty() && checkFilter.find(field) != std::string::npos});
    } catch (...) {
        // Entries added so far stay.
    }
    return entries;
}
