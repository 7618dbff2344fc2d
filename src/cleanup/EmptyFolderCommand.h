// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "bulk/PaneRefresh.h"

class ListRows;

// Removes every folder below start that holds no file, at any depth, and
// start itself when it ends up empty (never a mount point; "/" is refused),
// leaving alone the folders other programs keep (engine/EmptyFolders.h).
// When it gets that far, the removed folders, sorted, replace the rows of
// dataList. Tells what went wrong; returns the number of folders removed.
int RemoveEmptyFolders(const std::string& start, ListRows& dataList);

// RemoveEmptyFolders on the right tree's folder, then the count; a tree
// whose folder was removed moves up to the nearest folder that is left.
void DeleteNoFileDirectoryExecute(const FolderTrees& trees, ListRows& dataList);
