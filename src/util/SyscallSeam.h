// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <sys/types.h>

struct statfs;

// The system calls that make data durable, put it in place or remove a
// folder, behind one seam: tests replace single calls to produce failures that a real file
// system cannot be made to produce (a failed flush, a refused link, a short
// copy). Without a replacement each function is the system call itself and
// returns as it does (-1 with errno set on failure).
namespace syscalls {

int fsync(int fd);
int syncfs(int fd);
int linkat(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath, int flags);
ssize_t copyFileRange(int in, loff_t* inOffset, int out, loff_t* outOffset, size_t length,
                      unsigned flags);
int unlinkat(int dirFd, const char* path, int flags);
// The fallbacks of a copy (no O_TMPFILE; renameat2 refused, then links
// refused, then the final name created exclusively) and the file-system type
// they depend on.
int renameat2(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath, unsigned flags);
// A rename that replaces its target (putting a replacement in place).
int renameat(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath);
int openat(int dirFd, const char* path, int flags, mode_t mode);
int fstatfs(int fd, struct statfs* out);

// Replacements; an empty member leaves that call as it is.
struct Overrides {
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> syncfs;
    std::function<int(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath,
                      int flags)>
        linkat;
    std::function<ssize_t(int in, loff_t* inOffset, int out, loff_t* outOffset, size_t length,
                          unsigned flags)>
        copyFileRange;
    std::function<int(int dirFd, const char* path, int flags)> unlinkat;
    std::function<int(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath,
                      unsigned flags)>
        renameat2;
    std::function<int(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath)> renameat;
    std::function<int(int dirFd, const char* path, int flags, mode_t mode)> openat;
    std::function<int(int fd, struct statfs* out)> fstatfs;
};

// Installs overrides for its lifetime (tests; set while no file operation
// runs). Scopes nest: the previous overrides come back at the end.
class ScopedOverrides {
public:
    explicit ScopedOverrides(Overrides overrides);
    ~ScopedOverrides();
    ScopedOverrides(const ScopedOverrides&) = delete;
    ScopedOverrides& operator=(const ScopedOverrides&) = delete;

private:
    Overrides previous_;
};

}  // namespace syscalls
