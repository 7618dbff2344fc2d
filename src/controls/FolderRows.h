// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "controls/ListRows.h"

// A folder's files shown by name, as the commands use them.
class FolderRows : public RowCursor {
public:
    virtual int count() const = 0;
    // The shown name of row.
    virtual const std::string& nameAt(int row) const = 0;
    // The folder joined with the name of row.
    virtual std::string fullPath(int row) const = 0;
    // Shows name in row, whose file was renamed to it, without reading the
    // folder again.
    virtual void renameRow(int row, const std::string& name) = 0;

protected:
    ~FolderRows() = default;
};

class PathListModel;

// Full paths of every row of list into target (cleared first); false (after
// a message) when list is empty.
bool FileListToList(const FolderRows& list, PathListModel& target);
bool FileListToList(const FolderRows& list, std::vector<std::string>& target);
