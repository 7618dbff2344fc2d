// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

// Entries of the freedesktop.org trash: where a trashed item went, and
// putting it back.

struct TrashEntry {
    std::string file;  // TRASH/files/NAME
    std::string info;  // TRASH/info/NAME.trashinfo
};

// The trash folders an item of the device dev at path may have gone to: the
// home trash ($XDG_DATA_HOME/Trash) when it is on that device, then
// $topdir/.Trash/$uid and $topdir/.Trash-$uid of the file system's top.
std::vector<std::string> trashFoldersFor(const std::string& path, dev_t dev);

// The entry of the object that was at path (before: its lstat then) after it
// went to the trash: the entry in files/ that is that object (the trash
// renames it, so device and inode stay), with its .trashinfo.
std::optional<TrashEntry> findTrashEntry(const std::string& path, const struct stat& before);

// Moves entry.file back to path without replacing anything (missing folders
// above it are made), then removes the .trashinfo. 0 or an errno value.
int restoreTrashEntry(const TrashEntry& entry, const std::string& path);
