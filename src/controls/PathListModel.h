// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QAbstractListModel>

// A list of byte strings (paths or file names) for a QListView. Rows are kept
// as bytes; display decodes them. Scales to millions of rows.
class PathListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const std::string& at(std::size_t row) const { return rows_.at(row); }
    const std::vector<std::string>& rows() const { return rows_; }

    void setRows(std::vector<std::string> rows);
    // Lets edit change the rows in place (no copy of a long list); views
    // then show the list anew.
    void editRows(const std::function<void(std::vector<std::string>&)>& edit);
    void append(std::string row);
    void append(const std::vector<std::string>& rows);
    void insert(std::size_t row, std::string text);
    // Replaces the text of row.
    void setAt(std::size_t row, std::string text);
    void removeAt(std::size_t row);
    void clear();

    // Shows only the file name part of each row (the rows stay full paths).
    void setShowNames(bool names) { showNames_ = names; }

private:
    std::vector<std::string> rows_;
    bool showNames_ = false;
};
