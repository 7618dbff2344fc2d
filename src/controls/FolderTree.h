// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// A folder tree as the commands use it: the folder it shows, moving to
// another, and its entries from the volume's root down (entry 0 is the root).
class FolderTree {
public:
    virtual const std::string& directory() const = 0;
    // Moves to folder; false (and no change) when it is not a readable folder.
    virtual bool setDirectory(const std::string& folder) = 0;
    // Reads the current folder's subfolders and its file list again.
    virtual void reread() = 0;
    virtual int entryCount() const = 0;
    // Full path of entry i.
    virtual std::string entryPath(int i) const = 0;
    // Index of the entry of the current folder.
    virtual int currentEntry() const = 0;

protected:
    ~FolderTree() = default;
};
