// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bulk/PaneRefresh.h"

class UndoJournal;

// What undo and redo act on.
struct UndoContext {
    UndoJournal& journal;
    FolderTrees trees;  // refreshed afterwards
};

// Undoes the newest command not undone, after showing what it was and
// asking; items that cannot be undone are listed with the reason.
void UndoExecute(const UndoContext& context);
// Redoes the command undone last, the same way.
void RedoExecute(const UndoContext& context);
