// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

// Removing the folders below a start folder that hold no file, at any depth.
struct EmptyFolderRemoval {
    enum class Status {
        Done,                // the removal step was reached
        StartMissing,        // the start folder does not exist
        StartIsRoot,         // the start folder is "/": refused
        StartUnreadable,     // reading the start folder failed: nothing removed
        FoldersUnreadable,   // reading later folders failed: nothing removed
        Stopped,             // a termination request: removed holds what went before
    };
    Status status = Status::Done;
    int unreadable = 0;                // later folders whose reading failed
    std::vector<std::string> removed;  // without trailing "/", collation-sorted when Done
};

// Walks the folders below start breadth-first, then tries to remove every
// folder found, deepest first (the paths sorted case-insensitively, from the
// last to the first); only an empty folder goes. start goes too when it ends
// up empty, unless it is a mount point; "/" is refused. The walk opens each
// folder relative to its open parent and never enters a symbolic link or
// another mounted file system; each removal is made relative to the parent,
// reached again the same way, of the folder found. A folder that cannot be
// opened adds nothing. Left alone, neither entered nor removed, are folders
// other programs keep: a name beginning with "." (git's refs/, caches), a
// mount point named in the fstab (mounted or not), and a mail folder (one
// that holds cur, new and tmp). A termination request stops the work at
// the next folder. result is filled as the work goes on, so that what was
// removed before a failure (an exception) is known.
void removeEmptyFolders(const std::string& start, EmptyFolderRemoval& result);

// What the removal reads besides the folders themselves; tests point it
// elsewhere.
struct EmptyFolderSources {
    std::string fstab = "/etc/fstab";
    // The names of the subfolders in the open folder dir: 0 or an errno.
    std::function<int(int dir, std::vector<std::string>& names)> listSubfolders;
};
EmptyFolderSources& emptyFolderSources();
