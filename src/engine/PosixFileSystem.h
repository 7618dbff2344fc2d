// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

#include "engine/IFileSystem.h"

// File-system queries on POSIX calls. Read-only means the owner lacks write
// permission; hidden means a dot-name or a name listed in the folder's
// ".hidden" file; system means neither regular file, folder nor symlink.
class PosixFileSystem : public IFileSystem {
public:
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    std::optional<unsigned> attributes(const std::string& path) override;
    bool setAttribute(const std::string& path, unsigned bit, bool on) override;
    bool listDirectory(const std::string& folder, std::vector<DirEntry>& out) override;
    bool makeDirectory(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;
    bool renameNoReplace(const std::string& from, const std::string& to) override;

    // Tests: runs between the check of a file and the change of its mode.
    std::function<void(const std::string& path)> betweenCheckAndChange;

private:
    bool listedInHiddenFile(const std::string& folder, const std::string& name);
    bool setHidden(const std::string& path, bool on);

    struct HiddenList {
        long long mtimeNs = -1;
        std::set<std::string> names;
    };
    std::mutex hiddenMutex_;
    std::unordered_map<std::string, HiddenList> hiddenCache_;
};
