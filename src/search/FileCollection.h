// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/FolderScan.h"

// The most files one search gives the left pane.
inline constexpr std::size_t MaxSearchFiles = 32736;

struct SearchResult {
    std::vector<std::string> files;  // full paths
    bool limitReached = false;
    std::string stopFolder;          // the folder being read when the limit was reached
};

// Puts the folders of a scan that hold kept files in the case-insensitive
// order of their paths (the others, which add nothing, after them in no
// particular order), and each folder's files in case-insensitive order.
void sortScan(FolderScan& scan);

// Gathers the files of a sorted scan folder by folder until the end or more
// than MaxSearchFiles files (a folder that meets a full result is the stop
// folder and adds nothing). out keeps what was gathered when a failure
// breaks off. A folder's last file takes over the folder's path: the scan's
// paths are left unspecified.
void collectFiles(FolderScan& scan, SearchResult& out);
