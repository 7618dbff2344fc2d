// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class FolderTree;

// The window's two folder trees; a refresh makes the panes that show a
// changed folder re-read it.
struct FolderTrees {
    FolderTree& left;
    FolderTree& right;
};

// Makes the panes that show folder re-read it.
void RefreshFolder(const FolderTrees& trees, const std::string& folder);
// Makes the panes re-read after a move from source (may be empty) into
// destination.
void RefreshAfterMove(const FolderTrees& trees, const std::string& destination,
                      const std::string& source);
