// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QListView>

#include "controls/PathListModel.h"

class RowSizeDelegate;

// A list box over a PathListModel: current row (the focus mark), selection,
// a hint, and a click signal for mouse clicks and keyboard moves.
class PathListBox : public QListView {
    Q_OBJECT
public:
    // Shows model when given (it is not owned), else a model of its own.
    explicit PathListBox(QWidget* parent = nullptr, bool multiSelect = false,
                         PathListModel* model = nullptr);

    PathListModel* list() const { return model_; }
    int count() const { return static_cast<int>(model_->size()); }

    // Replaces the rows. The focus mark (with the selection of a single-select
    // list) goes to row current (-1: none); the scroll position stays.
    void replaceRows(std::vector<std::string> rows, int current);
    // Lets edit change the rows in place, then places the focus mark as
    // replaceRows does. The selection is cleared.
    void editRows(const std::function<void(std::vector<std::string>&)>& edit, int current);
    // First row whose text is text, -1 when none.
    int findRow(const std::string& text) const;

    // -1 when there is none.
    int currentRow() const;
    // Moves the focus mark without changing the selection.
    void setCurrentRow(int row);
    void selectRow(int row);
    std::vector<int> selectedRows() const;
    void selectAllRows();

    // Fixed row height in pixels, at least one line of the font (0: from the
    // font).
    void setRowHeight(int pixels);
    // Width in pixels of the widest row's text (estimated from the longest rows).
    int widestRow() const { return widest_; }

    // The hint shown as tooltip while switched on.
    void setHint(const QString& text, bool show);
    QString hint() const { return hint_; }
    bool showHint() const { return showHint_; }

Q_SIGNALS:
    void userClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void measureRows(int first, int end, int widest = 0);

    PathListModel* model_;
    RowSizeDelegate* delegate_;
    int widest_ = 0;
    QString hint_;
    bool showHint_ = false;
};
