// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QAbstractListModel>

struct FilterEntry {
    std::string text;
    bool checked = false;

    bool operator==(const FilterEntry&) const = default;
};

// The filter list: "*.*" first, then "*.txt" and the user's filters, each
// with its check mark. Shown by the window's filter check list; the check
// marks are changed by the filter commands, not by the view itself.
class FilterList : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FilterList(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return int(entries_.size()); }
    const FilterEntry& at(int row) const { return entries_.at(std::size_t(row)); }
    const std::vector<FilterEntry>& entries() const { return entries_; }

    void setEntries(std::vector<FilterEntry> entries);
    void setChecked(int row, bool checked);
    // Adds an unchecked entry at the end.
    void append(const std::string& text);
    // Gives the entry at row a new text; it comes back unchecked.
    void replace(int row, const std::string& text);
    void remove(int row);
    // Exchanges two entries with their check marks.
    void exchange(int a, int b);

private:
    std::vector<FilterEntry> entries_;
};

// The file-list mask the checked entries give: "*.*" when the first entry is
// checked, else the checked entries from the second on joined by ";"
// (empty when none is checked).
std::string checkedMask(const std::vector<FilterEntry>& entries);

// The list as stored: the entries after "*.*" joined by "/".
std::string allFilterText(const std::vector<FilterEntry>& entries);
// The checked filters as stored: with "*.*" checked, the other checked
// entries joined by ";"; otherwise mask (the file-list mask).
std::string checkFilterText(const std::vector<FilterEntry>& entries, const std::string& mask);

// The list rebuilt from the stored texts: a list that does not hold exactly
// one entry becomes "*.*" alone; then a blank allFilter adds a checked
// "*.txt", else every "/"-separated field is added, checked when it occurs in
// checkFilter.
std::vector<FilterEntry> RebuildFilterList(std::vector<FilterEntry> entries,
                                           const std::string& allFilter,
                                           const std::string& checkFilter);
