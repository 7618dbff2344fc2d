// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QListView>

#include "controls/ListRows.h"
#include "controls/PathListModel.h"

class RowSizeDelegate;

// A list box over a PathListModel: current row (the focus mark), selection,
// a hint, and a click signal for mouse clicks and keyboard moves. Commands
// reach it as ListRows.
class PathListBox : public QListView, public ListRows {
    Q_OBJECT
public:
    // Shows model when given (it is not owned), else a model of its own.
    explicit PathListBox(QWidget* parent = nullptr, bool multiSelect = false,
                         PathListModel* model = nullptr);

    PathListModel* list() const { return model_; }
    int count() const { return static_cast<int>(model_->size()); }

    // ListRows
    PathListModel& paths() const override { return *model_; }
    void replaceRows(std::vector<std::string> rows, int current) override;
    void editRows(const std::function<void(std::vector<std::string>&)>& edit,
                  int current) override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void selectRow(int row) override;
    std::vector<int> selectedRows() const override;
    void selectAllRows() override;
    void showRow(int row) override;
    void showTop() override { scrollToTop(); }
    bool paintingHeld() const override { return !updatesEnabled(); }
    void holdPainting(bool hold) override { setUpdatesEnabled(!hold); }

    // First row whose text is text, -1 when none.
    int findRow(const std::string& text) const;

    // Fixed row height in pixels, at least one line of the font (0: from the
    // font).
    void setRowHeight(int pixels);
    // Width in pixels of the widest row's text (estimated from the longest rows).
    int widestRow() const { return widest_; }

    // The hint shown as tooltip while switched on.
    void setHint(const QString& text, bool show) override;
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
