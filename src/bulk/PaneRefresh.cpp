// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bulk/PaneRefresh.h"

#include "controls/FolderTree.h"
#include "controls/FolderListing.h"
#include "engine/IFileSystem.h"
#include "platform/Platform.h"

namespace {

std::string normalised(const std::string& folder) {
    return folder.empty() ? folder : normalisedFolder(folder);
}

bool folderExists(const std::string& folder) {
    return !folder.empty() && platform().fileSystem->directoryExists(folder);
}

// Folder names are case-sensitive here, so matches are exact.
bool shows(const FolderTree& tree, const std::string& folder) {
    return !folder.empty() && tree.directory().find(folder) != std::string::npos;
}

// Setting the folder rebuilds the tree and re-reads its file list.
void reload(FolderTree& tree, const std::string& folder) {
    if (!tree.setDirectory(folder)) tree.reread();
}

}  // namespace

void RefreshFolder(const FolderTrees& trees, const std::string& folder) {
    const std::string f = normalised(folder);
    if (!folderExists(f)) return;
    if (trees.right.directory() == f) reload(trees.right, f);
    if (shows(trees.left, f)) reload(trees.left, f);
}

void RefreshAfterMove(const FolderTrees& trees, const std::string& destination,
                      const std::string& source) {
    const std::string d = normalised(destination);
    const std::string s = normalised(source);
    if (folderExists(d)) reload(trees.right, d);
    FolderTree& left = trees.left;
    if (left.entryCount() <= 1) return;
    if (shows(left, d) && folderExists(d)) reload(left, d);
    else if (shows(left, s) && folderExists(s)) reload(left, s);
}
