#include "engine/EmptyFolders.h"

#include <cstddef>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>

#include "engine/PosixFileOps.h"
#include "util/Collation.h"
#include "util/PathText.h"
#include "util/SyscallSeam.h"

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

// Removes the folder name of dir if it still is the one found.
bool removeFoundAt(int dir, const std::string& name, const Found& found) {
    struct stat now {};
    if (statAt(dir, name, now) || !isFolder(now, found.dev, found.ino)) return false;
    return syscalls::unlinkat(dir, name.c_str(), AT_REMOVEDIR) == 0;
}

// The start folder goes through its own parent, never when it is a root.
bool removeStart(const std::string& start, const Found& found) {
    const std::string folder = withoutTrailingSlash(start);
    const std::string name = nameOf(folder);
    if (folder == "/" || name.empty() || name == "." || name == "..") return false;
    DirFd parent;
    if (openFolder(parentOf(folder), parent) || isMountRootAt(parent.get(), name)) return false;
    return removeFoundAt(parent.get(), name, found);
}

}  // namespace

void removeEmptyFolders(const std::string& start, EmptyFolderRemoval& result) {
    result = {};
    struct stat startSt {};
    if (start.empty() || ::stat(start.c_str(), &startSt) != 0 || !S_ISDIR(startSt.st_mode)) {
        result.status = EmptyFolderRemoval::Status::StartMissing;
        return;
    }
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
        const int fd = chain.open(i);
        if (fd < 0) continue;
        std::vector<std::string> names;
        if (listSubfolderNamesAt(fd, names)) {
            if (i == 0) {
                result.status = EmptyFolderRemoval::Status::StartUnreadable;
                return;
            }
            ++result.unreadable;
            continue;
        }
        const struct stat self = folders[i].identity();
        const std::string prefix = i == 0 ? below : folders[i].path;
        for (auto& name : names) {
            struct stat st {};
            if (statAt(fd, name, st) || !S_ISDIR(st.st_mode) || isMountedFolderAt(fd, self, name, st))
                continue;
            std::string path = prefix + name + "/";
            folders.push_back({i, std::move(name), st.st_dev, st.st_ino, std::move(path)});
        }
    }
    if (result.unreadable) {
        result.status = EmptyFolderRemoval::Status::FoldersUnreadable;
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
        const std::size_t i = indexOf.at(*it);
        const Found& f = folders[i];
        bool gone = false;
        if (i == 0) {
            gone = removeStart(start, f);
        } else {
            const int parent = chain.open(f.parent);
            gone = parent >= 0 && removeFoundAt(parent, f.name, f);
        }
        if (gone) result.removed.push_back(withoutTrailingSlash(f.path));
    }
    sortCaseInsensitive(result.removed);
}
