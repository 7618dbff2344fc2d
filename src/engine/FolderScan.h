// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What a walk below a start folder found: every folder it listed (the start
// folder too), each with the names of the files it kept there.
struct FolderScan {
    struct Folder {
        std::string path;           // ends with "/"
        std::size_t firstFile = 0;  // index into files
        std::size_t fileCount = 0;
    };
    std::vector<Folder> folders;
    std::vector<std::string> files;  // bare names, folder by folder, as read
    bool startRead = false;          // every entry of the start folder was read
    // A stop request ended the walk; every folder read keeps its files, the
    // one being read those seen so far.
    bool stopped = false;
};

struct ScanOptions {
    // Also dot-names and names listed in their folder's ".hidden" file.
    bool includeHidden = false;
    // Which files (anything but a folder) to keep, by name.
    std::function<bool(std::string_view name)> keepFile;
    // Told the number of folders found but not yet read: right after the
    // start folder was read, then at most once per progressEvery. Called
    // from the walking threads, one call at a time.
    std::function<void(std::size_t foldersLeft)> progress;
    std::chrono::milliseconds progressEvery{250};
};

// Walks the tree below start (a folder path ending with "/"), reading every
// folder once through file descriptors, on as many threads as there are
// cores (up to four). It stays on start's file system:
// subfolders that are mount points or already on the way down are listed in
// folders but never entered, and so are symbolic links to folders whose
// names keepFile keeps (others are not looked at): there are no loops and
// no duplicates. A folder that cannot be read contributes nothing, and
// neither does anything whose path would not fit; names are kept
// byte for byte: a file is kept when its path takes up to PATH_MAX - 1
// bytes, a folder is entered when its path with its "/" does. stop is
// looked at after every entry read.
void scanFolderTree(const std::string& start, const ScanOptions& options,
                    const std::atomic<bool>& stop, FolderScan& out);

