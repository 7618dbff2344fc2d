// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/EmptyFolders.h"

#include <cstddef>
#include <fcntl.h>
#include <limits>
#include <mntent.h>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>

#include "engine/PosixFileOps.h"
#include "engine/UndoItem.h"
#include "util/Collation.h"
#include "util/PathText.h"
#include "util/SyscallSeam.h"
#include "util/Termination.h"

using namespace posixops;

namespace {

constexpr std::size_t NoParent = std::numeric_limits<std::size_t>::max();

// A folder the walk found: its parent's index, its name there, its identity
// and its path ("/" at the end, the start as given).
struct Found {
    std::size_t parent;
    std::string name;
    dev_t dev;
    ino_t ino;
    std::string path;

    struct stat identity() const {
        struct stat st {};
        st.st_dev = dev;
        st.st_ino = ino;
        return st;
    }
};

// Opens found folders again through their ancestors from the start folder,
// each checked to be the folder the walk saw. The descriptors of the last
// chain stay open: consecutive folders mostly share their ancestors.
class FolderChain {
public:
    FolderChain(const std::vector<Found>& folders, DirFd start)
        : folders_(folders) {
        chain_.emplace_back(0, std::move(start));
    }

    // A descriptor of folder i, -1 when it cannot be reached.
    int open(std::size_t i) {
        if (chain_.empty() || chain_.front().second.get() < 0) return -1;
        std::vector<std::size_t> line;  // i and its ancestors, up to the start
        for (std::size_t k = i; k != NoParent; k = folders_[k].parent) line.push_back(k);
        std::size_t shared = 0;
        while (shared < chain_.size() && shared < line.size() &&
               chain_[shared].first == line[line.size() - 1 - shared])
            ++shared;
        chain_.resize(shared);
        for (std::size_t depth = shared; depth < line.size(); ++depth) {
            const Found& f = folders_[line[line.size() - 1 - depth]];
            DirFd fd;
            struct stat opened {};
            if (reopenSubfolder(chain_.back().second.get(), f.name, f.identity(), fd, opened)) return -1;
            chain_.emplace_back(line[line.size() - 1 - depth], std::move(fd));
        }
        return chain_.back().second.get();
    }

private:
    const std::vector<Found>& folders_;
    std::vector<std::pair<std::size_t, DirFd>> chain_;
};

bool isFolder(const struct stat& st, dev_t dev, ino_t ino) {
    return S_ISDIR(st.st_mode) && st.st_dev == dev && st.st_ino == ino;
}

using Identity = std::pair<dev_t, ino_t>;

// The folders the fstab names as mount points, by identity: one of them is
// kept whether something is mounted there now or not.
std::vector<Identity> fstabFolders(const std::string& fstab) {
    std::vector<Identity> folders;
    FILE* table = ::setmntent(fstab.c_str(), "re");
    if (!table) return folders;
    struct mntent entry {};
    char buffer[4096];
    while (::getmntent_r(table, &entry, buffer, sizeof buffer)) {
        struct stat st {};
        if (entry.mnt_dir[0] == '/' && ::stat(entry.mnt_dir, &st) == 0 && S_ISDIR(st.st_mode))
            folders.emplace_back(st.st_dev, st.st_ino);
    }
    ::endmntent(table);
    return folders;
}

bool isListed(const std::vector<Identity>& folders, const struct stat& st) {
    for (const Identity& f : folders)
        if (f.first == st.st_dev && f.second == st.st_ino) return true;
    return false;
}

// A mail folder (Maildir) holds cur, new and tmp, which its programs expect
// to find even when they are empty.
bool isMailFolder(const std::vector<std::string>& subfolders) {
    int trio = 0;
    for (const std::string& n : subfolders) trio += n == "cur" || n == "new" || n == "tmp";
    return trio == 3;
}

// Other programs keep their state in dot-folders (git's refs/, caches).
bool isDotName(const std::string& name) { return !name.empty() && name[0] == '.'; }

// Removes the folder name of dir if it still is the one found.
bool removeFoundAt(int dir, const std::string& name, const Found& found) {
    struct stat now {};
    if (statAt(dir, name, now) || !isFolder(now, found.dev, found.ino)) return false;
    return syscalls::unlinkat(dir, name.c_str(), AT_REMOVEDIR) == 0;
}

// The start folder goes through its own parent, never when it is a root or
// a dot-folder.
bool removeStart(const std::string& start, const Found& found) {
    const std::string folder = withoutTrailingSlash(start);
    const std::string name = nameOf(folder);
    if (folder == "/" || name.empty() || isDotName(name)) return false;
    DirFd parent;
    if (openFolder(parentOf(folder), parent) || isMountRootAt(parent.get(), name)) return false;
    return removeFoundAt(parent.get(), name, found);
}

}  // namespace

EmptyFolderSources& emptyFolderSources() {
    static EmptyFolderSources sources{"/etc/fstab", listSubfolderNamesAt};
    return sources;
}

void removeEmptyFolders(const std::string& start, EmptyFolderRemoval& result) {
    using Status = EmptyFolderRemoval::Status;
    result = {};
    struct stat startSt {}, rootSt {};
    if (start.empty() || ::stat(start.c_str(), &startSt) != 0 || !S_ISDIR(startSt.st_mode)) {
        result.status = Status::StartMissing;
        return;
    }
    if (::stat("/", &rootSt) == 0 && startSt.st_dev == rootSt.st_dev && startSt.st_ino == rootSt.st_ino) {
        result.status = Status::StartIsRoot;
        return;
    }
    const EmptyFolderSources& sources = emptyFolderSources();
    const std::vector<Identity> fstab = fstabFolders(sources.fstab);
    std::vector<Found> folders{{NoParent, {}, startSt.st_dev, startSt.st_ino, start}};
    DirFd startFd;
    struct stat opened {};
    if (openFolder(start, startFd) == 0 &&
        (::fstat(startFd.get(), &opened) != 0 || !isFolder(opened, startSt.st_dev, startSt.st_ino)))
        startFd.reset();
    FolderChain chain(folders, std::move(startFd));

    // Breadth first: every folder found is read in turn, the list growing.
    const std::string below = withTrailingSlash(start);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (terminationRequested()) {
            result.status = Status::Stopped;
            return;
        }
        const int fd = chain.open(i);
        if (fd < 0) continue;
        std::vector<std::string> names;
        if (sources.listSubfolders(fd, names)) {
            if (i == 0) {
                result.status = Status::StartUnreadable;
                return;
            }
            ++result.unreadable;
            continue;
        }
        if (isMailFolder(names)) continue;
        const struct stat self = folders[i].identity();
        const std::string prefix = i == 0 ? below : folders[i].path;
        for (auto& name : names) {
            struct stat st {};
            if (isDotName(name) || statAt(fd, name, st) || !S_ISDIR(st.st_mode) ||
                isMountedFolderAt(fd, self, name, st) || isListed(fstab, st))
                continue;
            std::string path = prefix + name + "/";
            folders.push_back({i, std::move(name), st.st_dev, st.st_ino, std::move(path)});
        }
    }
    if (result.unreadable) {
        result.status = Status::FoldersUnreadable;
        return;
    }

    // A folder sorts before its subfolders: from the end, they go first.
    std::unordered_map<std::string, std::size_t> indexOf;
    std::vector<std::string> order;
    order.reserve(folders.size());
    for (std::size_t i = 0; i < folders.size(); ++i) {
        indexOf.emplace(folders[i].path, i);
        order.push_back(folders[i].path);
    }
    sortCaseInsensitive(order);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (terminationRequested()) {
            result.status = Status::Stopped;
            break;
        }
        const std::size_t i = indexOf.at(*it);
        const Found& f = folders[i];
        bool gone = false;
        if (i == 0) {
            gone = !isListed(fstab, startSt) && removeStart(start, f);
        } else {
            const int parent = chain.open(f.parent);
            gone = parent >= 0 && removeFoundAt(parent, f.name, f);
        }
        if (!gone) continue;
        result.removed.push_back(withoutTrailingSlash(f.path));
        if (UndoRecorder* recorder = currentUndoRecorder())
            recorder->record({UndoAction::RemovedFolder, result.removed.back(), {}, {}, {}, {}, 0});
    }
    sortCaseInsensitive(result.removed);
}
