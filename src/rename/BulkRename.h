// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "bulk/PaneRefresh.h"
#include "rename/RenamePlan.h"

class PathListModel;

// What a bulk rename left undone: entries with no file, and the entries from
// a failed rename to the end of the list (0 when the run completed).
struct RenameCounts {
    int missing = 0;
    int unhandled = 0;
    int failure = 0;  // the error of the rename that ended the run (0: none)
};

// Renames from to to without replacing anything, recorded for undo; 0 when
// renamed, else the error (errno or a fileop_error code).
int renameRecorded(const std::string& from, const std::string& to);

// Renames the entries as planned, in turn; a rename never replaces an
// existing file (not even one another program made meanwhile) and the first
// that fails ends the run, as does a termination request. Entries past the
// plan's end stay undone.
RenameCounts carryOut(const std::vector<std::string>& paths, const std::vector<PlannedName>& plan);

// Each file gets prefix, a serial number counted from digits, and its own
// extension.
RenameCounts RenameSerially(const std::vector<std::string>& paths, const std::string& prefix,
                            const std::string& digits);
// Each file gets extension (with its dot) in place of its own.
RenameCounts ChangeExtensions(const std::vector<std::string>& paths, const std::string& extension);

// The commands on every row of the data list, asking for the base name or
// the extension first; the rows keep the old paths.
void ReNameAllFileExecute(const PathListModel& dataList, const FolderTrees& trees);
void FileExtToNewExtExecute(const PathListModel& dataList, const FolderTrees& trees);
