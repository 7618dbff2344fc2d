// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "bulk/PaneRefresh.h"

class FolderTree;
class TFileOperation;

// The actions bound to FolderDeleteExecute; Other stands for any other caller.
enum class FolderAction { FolderDelete, FolderErase, Other };

// True, after telling which characters a folder name cannot use, when name
// holds one of \ / : . ; * ? " < > |.
bool CheckFolderName(const QString& name);

// Asks for a name (001, 002 ... offered) and makes that folder in the right
// tree's folder; the tree then moves into it.
void FolderNewExecute(FolderTree& rightTree);

// Deletes the right tree's folder with its contents to the trash and moves
// the panes onto its parent; erasing is not supported. A root or mount
// point, a folder holding a mount point and a folder the program runs from
// are refused.
void FolderDeleteExecute(FolderAction action, const FolderTrees& trees, TFileOperation& engine);

// Folder copy and move: not available.
void Folder_Operation();
