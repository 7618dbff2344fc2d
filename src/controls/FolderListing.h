// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// Names of the files (not folders, not links to folders) in folder that match
// mask, hidden ones left out, in case-insensitive order.
std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& mask);
// Names of the subfolders of folder, hidden ones left out, in case-insensitive
// order. Links to folders are listed.
std::vector<std::string> listSubfolders(const std::string& folder);
// Lexically normalised absolute form of path: "//", "." and ".." removed, no
// trailing "/" except for the root. Relative paths are taken from cwd.
std::string normalisedFolder(const std::string& path);
