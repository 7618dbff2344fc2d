// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

// Attribute bits with their Windows values; on Linux they are derived from the
// file's mode and name (see PosixFileSystem).
namespace attr {
inline constexpr unsigned ReadOnly = 0x01;
inline constexpr unsigned Hidden = 0x02;
inline constexpr unsigned System = 0x04;
inline constexpr unsigned Directory = 0x10;
inline constexpr unsigned Archive = 0x20;
inline constexpr unsigned ReparsePoint = 0x400;  // symbolic link
}  // namespace attr

struct DirEntry {
    std::string name;       // bytes as stored, never "." or ".."
    bool isDirectory;       // a real folder (a symlink to a folder is not)
    bool isSymlink;
    bool isHidden;          // dot-name or listed in the folder's .hidden
};

// File-system queries and attribute changes. Paths are byte strings.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // Something exists at path that is not a folder (a symlink counts as a
    // file and is not followed).
    virtual bool fileExists(const std::string& path) = 0;
    // A folder exists at path (a symlink to a folder counts).
    virtual bool directoryExists(const std::string& path) = 0;
    // Attribute bits of path, or nothing when the path cannot be read.
    virtual std::optional<unsigned> attributes(const std::string& path) = 0;
    // Sets or clears attr::ReadOnly or attr::Hidden; false when it cannot.
    virtual bool setAttribute(const std::string& path, unsigned bit, bool on) = 0;

    // Entries of a folder in directory order; false when the folder cannot be
    // read (entries read before a failure stay in out).
    virtual bool listDirectory(const std::string& folder, std::vector<DirEntry>& out) = 0;

    virtual bool makeDirectory(const std::string& path) = 0;
    virtual bool removeDirectory(const std::string& path) = 0;
    // Renames without replacing an existing target.
    virtual bool renameNoReplace(const std::string& from, const std::string& to) = 0;
};
