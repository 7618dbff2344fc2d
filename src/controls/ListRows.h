// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

class PathListModel;
class QString;

// The current row of a list (its focus mark), as commands read and move it.
class RowCursor {
public:
    // -1 when there is none.
    virtual int currentRow() const = 0;
    // Moves the focus mark; the list's own rule says what becomes of the
    // selection (PathListBox keeps it).
    virtual void setCurrentRow(int row) = 0;

protected:
    ~RowCursor() = default;
};

// A list of paths as the commands act on it: its rows (a model the window
// owns), the focus mark and the selection as row indexes, and the edits that
// keep the user's place in whatever shows the rows.
class ListRows : public RowCursor {
public:
    virtual PathListModel& paths() const = 0;
    int count() const;

    // Ascending.
    virtual std::vector<int> selectedRows() const = 0;
    virtual void selectRow(int row) = 0;
    virtual void selectAllRows() = 0;
    // Scrolls so that row shows, or to the first row.
    virtual void showRow(int row) = 0;
    virtual void showTop() = 0;

    // Replaces the rows. The focus mark (with the selection of a
    // single-select list) goes to row current (-1: none); the scroll
    // position stays.
    virtual void replaceRows(std::vector<std::string> rows, int current) = 0;
    // Lets edit change the rows in place, then places the focus mark as
    // replaceRows does. The selection is cleared.
    virtual void editRows(const std::function<void(std::vector<std::string>&)>& edit,
                          int current) = 0;

    // Painting stopped while a long edit runs (see PaintingHeld).
    virtual bool paintingHeld() const = 0;
    virtual void holdPainting(bool hold) = 0;
    // The hint shown for the list while switched on.
    virtual void setHint(const QString& text, bool show) = 0;

protected:
    ~ListRows() = default;
};

// Holds a list's painting for a scope; it resumes whatever happens.
class PaintingHeld {
public:
    explicit PaintingHeld(ListRows& list) : list_(list), was_(list.paintingHeld()) {
        list_.holdPainting(true);
    }
    ~PaintingHeld() { list_.holdPainting(was_); }
    PaintingHeld(const PaintingHeld&) = delete;
    PaintingHeld& operator=(const PaintingHeld&) = delete;

private:
    ListRows& list_;
    bool was_;
};
