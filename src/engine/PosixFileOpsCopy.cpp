// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Copying a file or a link so that the target appears only complete, and
// renames that never replace: the no-replace fallbacks (no O_TMPFILE, no
// RENAME_NOREPLACE, no hard links) and the temporary names they use.
#include "engine/PosixFileOps.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/vfs.h>
#include <unistd.h>

#include "engine/FileOpErrors.h"
#include "util/OpenFiles.h"
#include "util/SyscallSeam.h"

namespace posixops {

namespace {

using Fd = DirFd;


std::string randomSuffix(std::size_t length) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s(length, '0');
    for (char& c : s) c = digits[generator() % 36];
    return s;
}

constexpr char TempPrefix[] = ".dorvanquellis-";
constexpr char TempSuffix[] = ".part";
constexpr std::size_t TempRandom = 12;

// A fresh temporary name; hidden, so that file managers do not show it.
std::string temporaryName() { return TempPrefix + randomSuffix(TempRandom) + TempSuffix; }

// Creates and opens a new temporary file in dir; its name goes to temp.
int createTemporary(int dir, Fd& out, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = temporaryName();
        out.reset(::openat(dir, temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (out.get() >= 0) return 0;
        if (errno != EEXIST) return errno;
    }
    temp.clear();
    return EEXIST;
}

int flush(int fd) { return syscalls::fsync(fd) == 0 ? 0 : errno; }

// Links the unnamed file fd into dir as name, through its descriptor or,
// where that needs a privilege, through /proc.
int linkUnnamed(int fd, int dir, const std::string& name) {
    if (syscalls::linkat(fd, "", dir, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    int rc = errno;
    if (rc == EPERM || rc == ENOENT || rc == EINVAL || rc == EOPNOTSUPP) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        rc = syscalls::linkat(AT_FDCWD, self.c_str(), dir, name.c_str(), AT_SYMLINK_FOLLOW) == 0
                 ? 0 : errno;
    }
    return rc;
}

bool unnamedRefused(int rc) {
    return rc == EPERM || rc == ENOENT || rc == EINVAL || rc == EOPNOTSUPP || rc == ENOSYS ||
           rc == EACCES;
}

// Gives the written file out the source's bits and times. A target file
// system that cannot keep them (some network or FAT mounts) still gets the
// data.
void copyFileMetadata(int out, const struct stat& st) {
    ::fchmod(out, st.st_mode & 07777);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
}

bool hasShape(const std::string& name, const std::string& prefix, std::size_t random,
              const std::string& suffix) {
    if (name.size() != prefix.size() + random + suffix.size()) return false;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    return std::all_of(name.begin() + long(prefix.size()), name.end() - long(suffix.size()),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

// Writes the temporary temp of dstDir to dstName, created exclusively: the
// last resort where no rename is sure not to replace. dstName is removed
// again should anything fail.
int placeExclusive(int dstDir, const std::string& temp, const std::string& dstName,
                   const struct stat& metadata, const CopyOptions& options) {
    Fd from(::openat(dstDir, temp.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat whole {};
    if (from.get() < 0 || ::fstat(from.get(), &whole) != 0) return errno;
    Fd to(syscalls::openat(dstDir, dstName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (to.get() < 0) return errno;
    auto undo = [&](int code) {
        to.reset();
        syscalls::unlinkat(dstDir, dstName.c_str(), 0);
        return code;
    };
    CopyOptions quiet;
    quiet.chunkBytes = options.chunkBytes;
    long long again = 0;
    if (int rc = copyData(from.get(), to.get(), whole, quiet, again)) return undo(rc);
    if (again != whole.st_size) return undo(EIO);
    copyFileMetadata(to.get(), metadata);
    if (options.flushEach) {
        if (int rc = flush(to.get())) return undo(rc);
    }
    if (::close(to.release()) != 0) return undo(errno);
    if (options.flushEach) {
        if (int rc = flush(dstDir)) return undo(rc);
    }
    return 0;
}

}  // namespace

FileSystemTraits fileSystemTraits(int fd) {
    struct statfs fs {};
    if (syscalls::fstatfs(fd, &fs) != 0) return {};
    switch (static_cast<std::uint32_t>(fs.f_type)) {
        case 0x65735546:  // FUSE
        case 0x6969:      // NFS
        case 0x517B:      // SMB
        case 0xFF534D42:  // CIFS
        case 0xFE534D42:  // SMB2
        case 0x01021997:  // 9P
        case 0x00C36400:  // Ceph
        case 0x6B414653:  // AFS
        case 0x5346414F:  // AFS (kernel client)
            return {false, false};
        default: return {};
    }
}

int copyFile(int srcDir, const std::string& name, const struct stat& st, int dstDir,
             const std::string& dstName, bool replace, const CopyOptions& options,
             struct stat* checked) {
    if (!S_ISREG(st.st_mode)) return fileop_error::SpecialFile;
    // O_NONBLOCK: should a FIFO have taken the file's place, opening it must
    // not wait for a writer; it is refused below without a read.
    Fd in(::openat(srcDir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (in.get() < 0) return errno == ELOOP ? fileop_error::Changed : errno;
    struct stat opened {};
    if (::fstat(in.get(), &opened) != 0) return errno;
    if (!S_ISREG(opened.st_mode)) return fileop_error::SpecialFile;
    if (opened.st_dev != st.st_dev || (options.stableIdentity && opened.st_ino != st.st_ino))
        return fileop_error::Changed;
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    Fd out;
    std::string temp;     // empty while the copy is unnamed
    bool direct = false;  // out is dstName itself, created exclusively
    if (!replace && options.exclusiveOnly && *options.exclusiveOnly) {
        out.reset(syscalls::openat(dstDir, dstName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (out.get() < 0) return errno;
        direct = true;
    } else if (!replace && !(options.unnamedRefused && *options.unnamedRefused)) {
        out.reset(syscalls::openat(dstDir, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    }
    if (out.get() < 0) {
        if (int rc = createTemporary(dstDir, out, temp)) return rc;
    }
    auto discard = [&](int code) {
        out.reset();
        if (!temp.empty()) ::unlinkat(dstDir, temp.c_str(), 0);
        if (direct) syscalls::unlinkat(dstDir, dstName.c_str(), 0);
        return code;
    };
    // dstName, made by this copy, goes again when its folder cannot be flushed.
    auto flushEntry = [&]() {
        if (!options.flushEach) return 0;
        const int rc = flush(dstDir);
        if (rc) syscalls::unlinkat(dstDir, dstName.c_str(), 0);
        return rc;
    };

    long long copied = 0;
    if (int rc = copyData(in.get(), out.get(), opened, options, copied)) return discard(rc);
    struct stat after {};
    if (::fstat(in.get(), &after) != 0) return discard(errno);
    const bool pseudo = opened.st_size == 0 && after.st_size == 0;
    if (!pseudo && (copied != opened.st_size || !sameFileState(after, opened, options.stableIdentity)))
        return discard(fileop_error::Changed);
    struct stat written {};
    if (::fstat(out.get(), &written) != 0) return discard(errno);
    if (written.st_size != copied) return discard(EIO);
    copyFileMetadata(out.get(), opened);
    if (checked) *checked = after;
    // Where syncfs is not passed on, each copy reaches the device itself.
    if (options.flushEach) {
        if (int rc = flush(out.get())) return discard(rc);
    }
    if (direct) {
        if (::close(out.release()) != 0) return discard(errno);
        direct = false;
        return flushEntry();
    }

    if (temp.empty()) {
        // Linking fails when the target exists, so nothing is replaced here.
        int rc = linkUnnamed(out.get(), dstDir, dstName);
        if (rc && unnamedRefused(rc)) {
            // Neither way of linking works here: write a named copy of the
            // unnamed one, as for replacing.
            if (options.unnamedRefused) *options.unnamedRefused = true;
            Fd unnamed(out.release());
            if ((rc = createTemporary(dstDir, out, temp))) return rc;
            struct stat whole = written;
            whole.st_size = copied;
            CopyOptions quiet;
            quiet.chunkBytes = options.chunkBytes;
            long long again = 0;
            if ((rc = copyData(unnamed.get(), out.get(), whole, quiet, again))) return discard(rc);
            if (again != copied) return discard(EIO);
            copyFileMetadata(out.get(), opened);
            if (options.flushEach && (rc = flush(out.get()))) return discard(rc);
        } else {
            if (rc) return discard(rc);
            if (::close(out.release()) != 0) {
                rc = errno;
                ::unlinkat(dstDir, dstName.c_str(), 0);  // the name was made just now, for this copy
                return rc;
            }
            return flushEntry();
        }
    }
    if (replace && options.stagedAs) {
        if (::close(out.release()) != 0) return discard(errno);
        *options.stagedAs = temp;
        return 0;
    }
    // A replaced file is gone for good once the rename is on the disk: the
    // new data must be there first, whatever the file system's ordering.
    if (replace && !options.flushEach) {
        if (int rc = flush(out.get())) return discard(rc);
    }
    if (::close(out.release()) != 0) return discard(errno);
    int rc = replace ? renameReplaceAt(dstDir, temp, dstDir, dstName)
                     : renameExclusiveAt(dstDir, temp, dstDir, dstName);
    if (rc == fileop_error::NoExclusiveRename) {
        if (options.exclusiveOnly) *options.exclusiveOnly = true;
        return discard(placeExclusive(dstDir, temp, dstName, opened, options));
    }
    if (rc) return discard(rc);
    // Replaced, the file is in place whatever its folder's flush says: the
    // rename is one step, and the data was on the disk before it.
    if (replace) return options.flushEach ? flush(dstDir) : (flush(dstDir), 0);
    return flushEntry();
}

int copyLink(int srcDir, const std::string& name, const struct stat& st, int dstDir,
             const std::string& dstName, bool replace, bool flushEach) {
    std::string target(std::size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
    const ssize_t n = ::readlinkat(srcDir, name.c_str(), target.data(), target.size());
    if (n < 0) return errno == EINVAL ? fileop_error::Changed : errno;
    if (std::size_t(n) >= target.size()) return fileop_error::Changed;
    target.resize(std::size_t(n));
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (!replace) {
        if (::symlinkat(target.c_str(), dstDir, dstName.c_str()) != 0) return errno;
        ::utimensat(dstDir, dstName.c_str(), times, AT_SYMLINK_NOFOLLOW);
        if (!flushEach) return 0;
        const int rc = flush(dstDir);
        if (rc) syscalls::unlinkat(dstDir, dstName.c_str(), 0);
        return rc;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = temporaryName();
        if (::symlinkat(target.c_str(), dstDir, temp.c_str()) == 0) {
            ::utimensat(dstDir, temp.c_str(), times, AT_SYMLINK_NOFOLLOW);
            const int rc = renameReplaceAt(dstDir, temp, dstDir, dstName);
            if (rc) {
                ::unlinkat(dstDir, temp.c_str(), 0);
                return rc;
            }
            const int flushed = flush(dstDir);
            return flushEach ? flushed : 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

namespace {

// A hard link is refused as such (not because of the name or the folder).
bool linksRefused(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK;
}

}  // namespace

int renameExclusiveAt(int fromDir, const std::string& from, int toDir, const std::string& to) {
    if (syscalls::renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // The file system may not know RENAME_NOREPLACE (some network and FUSE
    // mounts): a hard link fails when the name is taken.
    struct stat st {};
    if (::fstatat(fromDir, from.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) {
        if (syscalls::linkat(fromDir, from.c_str(), toDir, to.c_str(), 0) == 0) {
            syscalls::unlinkat(fromDir, from.c_str(), 0);
            return 0;
        }
        return linksRefused(errno) ? fileop_error::NoExclusiveRename : errno;
    }
    // A folder is never linked; a rename fails onto a file or a folder that
    // is not empty.
    struct stat existing {};
    if (::fstatat(toDir, to.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
    return ::renameat(fromDir, from.c_str(), toDir, to.c_str()) == 0 ? 0 : errno;
}

int renameNoReplaceAt(int fromDir, const std::string& from, int toDir, const std::string& to) {
    // No check-then-rename for a file: another client could write the name
    // between the two.
    return renameExclusiveAt(fromDir, from, toDir, to);
}

int renameNoReplace(const std::string& from, const std::string& to) {
    return renameNoReplaceAt(AT_FDCWD, from, AT_FDCWD, to);
}

int renameReplaceAt(int fromDir, const std::string& from, int toDir, const std::string& to) {
    return syscalls::renameat(fromDir, from.c_str(), toDir, to.c_str()) == 0 ? 0 : errno;
}

bool isOurTemporaryName(const std::string& name) {
    return hasShape(name, TempPrefix, TempRandom, TempSuffix) ||
           hasShape(name, ".dorvan-", 8, TempSuffix);  // earlier versions
}

void removeStaleTemporaries(int dir, std::time_t olderThan) {
    std::vector<std::string> names;
    if (listNamesAt(dir, names)) return;
    for (const auto& n : names) {
        if (!isOurTemporaryName(n)) continue;
        struct stat st {};
        if (::fstatat(dir, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) || st.st_ctim.tv_sec >= olderThan) continue;
        if (S_ISREG(st.st_mode) && openByAnyProcess(st.st_dev, st.st_ino)) continue;
        ::unlinkat(dir, n.c_str(), 0);
    }
}

}  // namespace posixops
