// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

#include "util/UniqueFd.h"

// Complete copies waiting under temporary names to replace existing files,
// put in place together: one flush of each file system for all the new
// contents, then the renames, then one flush more. Before, between and after
// these steps a crash leaves each name with its old or its new content,
// whole. Only for file systems whose syncfs reaches the device.
class ReplaceBatch {
public:
    struct Failure {
        std::size_t item;  // as given to add
        std::string path;  // the file that was not replaced
        int code;
    };

    // temp in the open folder dir (dev, ino: its identity; path: its path)
    // is to replace name there.
    void add(int dir, dev_t dev, ino_t ino, const std::string& path, std::string temp,
             std::string name, std::size_t item, long long bytes);
    bool empty() const { return staged_.empty(); }
    std::size_t files() const { return staged_.size(); }
    long long bytes() const { return bytes_; }
    // name in the folder (dev, ino) waits to be replaced.
    bool replaces(dev_t dev, ino_t ino, const std::string& name) const;

    // Flushes, renames and flushes; every temporary that was not put in
    // place is removed and reported. The batch is empty afterwards.
    std::vector<Failure> commit();
    // Removes every temporary: nothing is replaced. Returns the items.
    std::vector<std::size_t> discard();

private:
    using Key = std::pair<dev_t, ino_t>;
    struct Staged {
        Key folder;
        std::string temp, name;
        std::size_t item;
    };
    struct Folder {
        UniqueFd fd;
        std::string path;
    };
    std::map<Key, Folder> folders_;
    std::vector<Staged> staged_;
    long long bytes_ = 0;
};
