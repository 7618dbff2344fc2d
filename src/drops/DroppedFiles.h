// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class PathListModel;

// One drop of paths on the window, in drop order: the dropped files as they
// are, then the files directly inside each dropped folder, appended to the
// data list.
void DropFiles(const std::vector<std::string>& names, PathListModel& dataList);

// Every file directly inside the folders, folder by folder in case-insensitive
// order; false when listing failed.
bool CollectDroppedFolderFiles(std::vector<std::string>& folders, std::vector<std::string>& result);
void ListFilesInFolders(std::vector<std::string>& folders, std::vector<std::string>& result);
