// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ReplaceBatch.h"

#include <cerrno>
#include <fcntl.h>
#include <set>

#include "engine/PosixFileOps.h"
#include "util/SyscallSeam.h"

void ReplaceBatch::add(int dir, dev_t dev, ino_t ino, const std::string& path, std::string temp,
                       std::string name, std::size_t item, long long bytes) {
    const Key key{dev, ino};
    if (!folders_.count(key)) folders_.emplace(key, Folder{UniqueFd(::fcntl(dir, F_DUPFD_CLOEXEC, 0)), path});
    staged_.push_back({key, std::move(temp), std::move(name), item});
    bytes_ += bytes;
}

bool ReplaceBatch::replaces(dev_t dev, ino_t ino, const std::string& name) const {
    for (const Staged& s : staged_)
        if (s.folder == Key{dev, ino} && s.name == name) return true;
    return false;
}

std::vector<ReplaceBatch::Failure> ReplaceBatch::commit() {
    std::vector<Failure> failures;
    // One open folder per file system flushes it; its error stands for
    // every file of that file system.
    std::map<dev_t, int> flushed;  // device -> error of its flush
    for (const auto& [key, folder] : folders_) {
        if (flushed.count(key.first)) continue;
        const int fd = folder.fd.get();
        flushed[key.first] = fd < 0 ? EBADF : syscalls::syncfs(fd) == 0 ? 0 : errno;
    }
    std::set<dev_t> renamed;
    for (const Staged& s : staged_) {
        const Folder& folder = folders_.at(s.folder);
        int rc = flushed[s.folder.first];
        if (!rc) rc = posixops::renameReplaceAt(folder.fd.get(), s.temp, folder.fd.get(), s.name);
        if (rc) {
            syscalls::unlinkat(folder.fd.get(), s.temp.c_str(), 0);
            failures.push_back({s.item, posixops::childOf(folder.path, s.name), rc});
            continue;
        }
        renamed.insert(s.folder.first);
    }
    // The renames are one step each: a failure of this flush leaves every
    // name with its old or its new file, so it is not reported.
    for (const auto& [key, folder] : folders_) {
        if (!renamed.erase(key.first)) continue;
        syscalls::syncfs(folder.fd.get());
    }
    folders_.clear();
    staged_.clear();
    bytes_ = 0;
    return failures;
}

std::vector<std::size_t> ReplaceBatch::discard() {
    std::vector<std::size_t> items;
    for (const Staged& s : staged_) {
        syscalls::unlinkat(folders_.at(s.folder).fd.get(), s.temp.c_str(), 0);
        items.push_back(s.item);
    }
    folders_.clear();
    staged_.clear();
    bytes_ = 0;
    return items;
}
