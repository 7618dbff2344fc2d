#pragma once

#include <string>
#include <vector>

// Removing the folders below a start folder that hold no file, at any depth.
struct EmptyFolderRemoval {
    enum class Status {
        Done,                // the removal step was reached
        StartMissing,        // the start folder does not exist
        StartUnreadable,     // reading the start folder failed: nothing removed
        FoldersUnreadable,   // reading later folders failed: nothing removed
    };
    Status status = Status::Done;
    int unreadable = 0;                // later folders whose reading failed
    std::vector<std::string> removed;  // without trailing "/", collation-sorted when Done
};

// Walks the folders below start breadth-first, then tries to remove every
// folder found, deepest first (the paths sorted case-insensitively, from the
// last to the first); only an empty folder goes. start goes too when it ends
// up empty, unless it is "/" or a mount point. The walk opens each folder
// relative to its open parent and never enters a symbolic link or another
// mounted file system; each removal is made relative to the parent, reached
// again the same way, of the folder found. A folder that cannot be opened
// adds nothing. result is filled as the work goes on, so that what was
// removed before a failure (an exception) is known.
void removeEmptyFolders(const std::string& start, EmptyFolderRemoval& result);
