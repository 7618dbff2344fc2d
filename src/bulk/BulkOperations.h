// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bulk/PaneRefresh.h"
#include "engine/OperationOptions.h"

class ListRows;
class TFileOperation;

// The actions bound to File_Operation; Other stands for any other caller.
enum class BulkAction { FileCopy, FileMove, FileDelete, FileErase, Other };

// What the bulk commands act on.
struct BulkContext {
    ListRows& dataList;              // every row is acted on, selected or not
    std::string destination;         // the right pane's folder
    OperationOptions options;        // FileOperationOptions
    std::vector<std::string>& scratch;  // OpenDialogListBox: empty between commands
    TFileOperation& engine;
    FolderTrees trees;
};

// Copy, move, delete or erase every path in the data list, report duplicates
// and unprocessed entries, clear the read-only attribute of copies, and
// refresh the panes. The data list itself is left as it is.
void File_Operation(BulkAction action, const BulkContext& context);
