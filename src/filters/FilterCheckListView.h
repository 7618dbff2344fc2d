// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QListView>

#include "controls/ListRows.h"

// The filter check list. Reports the user's mouse and keyboard actions and
// leaves the check marks to the filter commands, which reach its current row
// as a RowCursor.
class FilterCheckListView : public QListView, public RowCursor {
    Q_OBJECT
public:
    explicit FilterCheckListView(QWidget* parent = nullptr);

    int currentRow() const override;
    // Selects the row with the mark, as setCurrentIndex() does.
    void setCurrentRow(int row) override;

    // Where the check box of row is drawn, in viewport coordinates.
    QRect checkBoxRect(int row) const;

Q_SIGNALS:
    // The left button went down (after the press has made its row current)
    // on row (-1: on no entry).
    void mouseDown(bool doubleClick, int row);
    // The pointer moved, with the left button down, over row (-1: no entry).
    void mouseMove(int row);
    void mouseUp();
    // A left click (pressed and released without leaving its row), or Space
    // on the current row: row is the entry whose check box the click hit (or
    // the current row for Space), -1 when it hit none.
    void entryClicked(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int rowAt(const QPoint& pos) const;
    // The row whose check box is at pos, -1 for none.
    int checkBoxAt(const QPoint& pos) const;

    bool clicking_ = false;  // a left press that may still end as a click
    int pressedRow_ = -1;
    int pressedBox_ = -1;  // the row whose check box the press hit
};
