// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The executor's file-system steps other than copying (PosixFileOpsCopy.cpp)
// and data (PosixFileOpsData.cpp): paths, folders opened through their
// parents' descriptors, mount points, made folders, flushes, and the removal
// of trees and of moved sources that are still what was copied.
#include "engine/PosixFileOps.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "engine/FileOpErrors.h"
#include "util/SyscallSeam.h"

namespace posixops {

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string childOf(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

namespace {

using Fd = DirFd;

const std::time_t startedAt = std::time(nullptr);

// Appends the names in the folder open at dir (without "." and "..") that
// keep accepts, read through a descriptor of its own; returns the errno of a
// failure, 0 otherwise.
template <class Keep>
int readNamesAt(int dir, std::vector<std::string>& names, Keep keep) {
    const int listFd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return errno;
    DIR* d = ::fdopendir(listFd);
    if (!d) {
        const int rc = errno;
        ::close(listFd);
        return rc;
    }
    errno = 0;
    while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != ".." && keep(*e, n)) names.push_back(std::move(n));
        errno = 0;
    }
    const int rc = errno;
    ::closedir(d);
    return rc;
}

int flush(int fd) { return syscalls::fsync(fd) == 0 ? 0 : errno; }

// Links the unnamed file fd into dir as name, through its descriptor or,

int removeTreeAt(int parentFd, const struct stat& parent, const std::string& name,
                 const std::string& path, const RemoveCallbacks& cb, bool& stopped);

// Removes everything inside the open folder dirFd; true when it is empty now.
bool removeContents(int dirFd, const struct stat& self, const std::string& path,
                    const RemoveCallbacks& cb, bool& stopped, int& firstError) {
    auto failed = [&](int code) {
        firstError = code;
        if (cb.error && !cb.error(path, code)) stopped = true;
        return false;
    };
    std::vector<std::string> names;
    if (const int rc = listNamesAt(dirFd, names)) return failed(rc);
    bool empty = true;
    for (const auto& n : names) {
        const int rc = removeTreeAt(dirFd, self, n, childOf(path, n), cb, stopped);
        if (rc) {
            empty = false;
            if (!firstError) firstError = rc;
        }
        if (stopped) return false;
    }
    return empty;
}

int removeTreeAt(int parentFd, const struct stat& parent, const std::string& name,
                 const std::string& path, const RemoveCallbacks& cb, bool& stopped) {
    if (cb.entry && !cb.entry(path)) {
        stopped = true;
        return ECANCELED;
    }
    auto failed = [&](int code) {
        if (cb.error && !cb.error(path, code)) stopped = true;
        return code;
    };
    struct stat st {};
    if (::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return failed(errno);
    if (!S_ISDIR(st.st_mode)) {
        if (::unlinkat(parentFd, name.c_str(), 0) != 0) return failed(errno);
        return 0;
    }
    // Another file system mounted here is a drive root: never entered.
    if (isMountedFolderAt(parentFd, parent, name, st)) return failed(fileop_error::MountPoint);
    if (path.size() >= PATH_MAX) return failed(ENAMETOOLONG);
    Fd dir;
    struct stat opened {};
    if (int rc = reopenSubfolder(parentFd, name, st, dir, opened)) return failed(rc);
    int inner = 0;
    // Failures inside were reported where they happened.
    if (!removeContents(dir.get(), opened, path, cb, stopped, inner)) return inner ? inner : ECANCELED;
    dir.reset();
    if (::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) != 0) return failed(errno);
    return 0;
}

// The mount points of this process's mount table (/proc/self/mountinfo, its
// fifth field, with the octal escapes of blanks decoded).
std::vector<std::string> mountPoints() {
    std::vector<std::string> points;
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5 && fields >> field; ++i) {
        }
        std::string point;
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (field[i] == '\\' && i + 3 < field.size() &&
                std::all_of(field.begin() + long(i) + 1, field.begin() + long(i) + 4,
                            [](char c) { return c >= '0' && c <= '7'; })) {
                point += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
                i += 3;
            } else {
                point += field[i];
            }
        }
        if (!point.empty()) points.push_back(point);
    }
    return points;
}

}  // namespace

bool actionablePath(const std::string& path) {
    if (path.empty() || path.find_first_not_of('/') == std::string::npos) return false;
    const std::string last = nameOf(path);
    return last != "." && last != "..";
}

int lstatPath(const std::string& path, struct stat& st) {
    return ::lstat(path.c_str(), &st) == 0 ? 0 : errno;
}

int openFolder(const std::string& path, DirFd& out) {
    out.reset(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return out.get() >= 0 ? 0 : errno;
}

int openSubfolder(int dir, const std::string& name, DirFd& out) {
    out.reset(::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (out.get() >= 0) return 0;
    return errno == ELOOP || errno == ENOTDIR ? fileop_error::Changed : errno;
}

int statAt(int dir, const std::string& name, struct stat& st) {
    return ::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int listNamesAt(int dir, std::vector<std::string>& names) {
    return readNamesAt(dir, names, [](const dirent&, const std::string&) { return true; });
}

int listSubfolderNamesAt(int dir, std::vector<std::string>& names) {
    return readNamesAt(dir, names, [dir](const dirent& e, const std::string& n) {
        struct stat st {};
        return e.d_type == DT_DIR ||
               (e.d_type == DT_UNKNOWN && statAt(dir, n, st) == 0 && S_ISDIR(st.st_mode));
    });
}

bool isMountedFolderAt(int dir, const struct stat& dirSt, const std::string& name,
                       const struct stat& st) {
    return st.st_dev != dirSt.st_dev || isMountRootAt(dir, name);
}

int reopenSubfolder(int dir, const std::string& name, const struct stat& st, DirFd& out,
                    struct stat& opened) {
    if (int rc = openSubfolder(dir, name, out)) return rc;
    if (::fstat(out.get(), &opened) != 0) return errno;
    if (opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
        out.reset();
        return fileop_error::Changed;
    }
    return 0;
}

bool isMountRootAt(int dir, const std::string& name) {
    struct statx sx {};
    if (::statx(dir, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &sx) != 0) return false;
    if (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    struct stat parent {};
    return ::fstat(dir, &parent) == 0 &&
           (makedev(sx.stx_dev_major, sx.stx_dev_minor) != parent.st_dev);
}

bool isMountPoint(const std::string& path) {
    const std::string name = nameOf(path);
    if (name.empty() || name == "." || name == "..") return true;
    Fd parent;
    if (openFolder(parentOf(path), parent)) return false;
    return isMountRootAt(parent.get(), name);
}

bool holdsMountPoint(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return false;
    const std::string folder = real;
    std::free(real);
    for (const auto& m : mountPoints()) {
        if (m == folder || folder == "/" ||
            (m.size() > folder.size() && m.compare(0, folder.size(), folder) == 0 && m[folder.size()] == '/'))
            return true;
    }
    return false;
}

int makeFolders(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : fileop_error::NotAFolder;
    const std::string parent = parentOf(path);
    if (parent != path && parent != "." && parent != "/") {
        if (int rc = makeFolders(parent)) return rc;
    }
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return errno;
    return 0;
}

int makeFolderAt(int dir, const std::string& name) {
    return ::mkdirat(dir, name.c_str(), 0700) == 0 ? 0 : errno;
}

int copyFolderMetadata(int folder, const struct stat& st) {
    if (::fchmod(folder, st.st_mode & 07777) != 0) return errno;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(folder, times) != 0) return errno;
    return 0;
}

int removableFrom(int dir) {
    struct statvfs vfs {};
    if (::fstatvfs(dir, &vfs) == 0 && (vfs.f_flag & ST_RDONLY)) return EROFS;
    if (::faccessat(dir, ".", W_OK | X_OK, AT_EACCESS) == 0) return 0;
    // Whatever else the question meets is left to the removal itself.
    return errno == EACCES || errno == EROFS ? errno : 0;
}

int flushFileAt(int dir, const std::string& name) {
    Fd file(::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return errno == ELOOP ? fileop_error::Changed : errno;
    struct stat st {};
    if (::fstat(file.get(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode)) return fileop_error::Changed;
    return flush(file.get());
}

int flushFolder(int folder) { return flush(folder); }

int syncFileSystem(int fd) { return syscalls::syncfs(fd) == 0 ? 0 : errno; }

int removeIfUnchanged(const CheckedEntry& entry, RemovalFolder* kept) {
    RemovalFolder local;
    RemovalFolder& open = kept ? *kept : local;
    const bool reuse = open.fd.get() >= 0 && open.path == entry.folder &&
                       open.st.st_dev == entry.folderDev &&
                       (!entry.stableIdentity || open.st.st_ino == entry.folderIno);
    if (!reuse) {
        open.fd.reset();
        open.path = entry.folder;
        if (int rc = openFolder(entry.folder, open.fd)) return rc == ENOENT ? fileop_error::Changed : rc;
        if (::fstat(open.fd.get(), &open.st) != 0) {
            open.fd.reset();
            return errno;
        }
    }
    const int folder = open.fd.get();
    const bool identity = entry.stableIdentity;
    if (open.st.st_dev != entry.folderDev || (identity && open.st.st_ino != entry.folderIno))
        return fileop_error::Changed;
    struct stat now {};
    if (::fstatat(folder, entry.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? fileop_error::Changed : errno;
    if (entry.isFolder) {
        if (!S_ISDIR(now.st_mode) || now.st_dev != entry.state.st_dev ||
            (identity && now.st_ino != entry.state.st_ino))
            return fileop_error::Changed;
        return ::unlinkat(folder, entry.name.c_str(), AT_REMOVEDIR) == 0 ? 0 : errno;
    }
    if (!sameFileState(now, entry.state, identity)) return fileop_error::Changed;
    return ::unlinkat(folder, entry.name.c_str(), 0) == 0 ? 0 : errno;
}

int removeTree(const std::string& path, const RemoveCallbacks& callbacks) {
    const std::string name = nameOf(path);
    if (name.empty() || name == "." || name == "..") return fileop_error::RootRefused;
    Fd parent;
    struct stat parentSt {};
    int rc = openFolder(parentOf(path), parent);
    if (!rc && ::fstat(parent.get(), &parentSt) != 0) rc = errno;
    if (rc) {
        if (callbacks.error) callbacks.error(path, rc);
        return rc;
    }
    bool stopped = false;
    rc = removeTreeAt(parent.get(), parentSt, name, path, callbacks, stopped);
    return stopped ? ECANCELED : rc;
}

bool isSameOrInside(const std::string& path, const std::string& folder) {
    char* p = ::realpath(path.c_str(), nullptr);
    char* f = ::realpath(folder.c_str(), nullptr);
    bool inside = false;
    if (p && f) {
        const std::string ps = p, fs = f;
        inside = ps == fs || fs == "/" || (ps.size() > fs.size() && ps.compare(0, fs.size(), fs) == 0 &&
                                            ps[fs.size()] == '/');
    }
    std::free(p);
    std::free(f);
    return inside;
}

bool sameFileState(const struct stat& a, const struct stat& b, bool identity) {
    auto sameTime = [](const timespec& x, const timespec& y) {
        return x.tv_sec == y.tv_sec && x.tv_nsec == y.tv_nsec;
    };
    return a.st_dev == b.st_dev && (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT) &&
           a.st_size == b.st_size && sameTime(a.st_mtim, b.st_mtim) &&
           (!identity || (a.st_ino == b.st_ino && sameTime(a.st_ctim, b.st_ctim)));
}

std::time_t processStartTime() { return startedAt; }

}  // namespace posixops
