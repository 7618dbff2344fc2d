// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/SyscallSeam.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace syscalls {

namespace {
Overrides active;
}  // namespace

int fsync(int fd) { return active.fsync ? active.fsync(fd) : ::fsync(fd); }

int syncfs(int fd) { return active.syncfs ? active.syncfs(fd) : ::syncfs(fd); }

int linkat(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath, int flags) {
    return active.linkat ? active.linkat(oldDirFd, oldPath, newDirFd, newPath, flags)
                         : ::linkat(oldDirFd, oldPath, newDirFd, newPath, flags);
}

ssize_t copyFileRange(int in, loff_t* inOffset, int out, loff_t* outOffset, size_t length,
                      unsigned flags) {
    return active.copyFileRange ? active.copyFileRange(in, inOffset, out, outOffset, length, flags)
                                : ::copy_file_range(in, inOffset, out, outOffset, length, flags);
}

int unlinkat(int dirFd, const char* path, int flags) {
    return active.unlinkat ? active.unlinkat(dirFd, path, flags) : ::unlinkat(dirFd, path, flags);
}

int renameat2(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath, unsigned flags) {
    return active.renameat2 ? active.renameat2(oldDirFd, oldPath, newDirFd, newPath, flags)
                            : ::renameat2(oldDirFd, oldPath, newDirFd, newPath, flags);
}

int renameat(int oldDirFd, const char* oldPath, int newDirFd, const char* newPath) {
    return active.renameat ? active.renameat(oldDirFd, oldPath, newDirFd, newPath)
                           : ::renameat(oldDirFd, oldPath, newDirFd, newPath);
}

int openat(int dirFd, const char* path, int flags, mode_t mode) {
    return active.openat ? active.openat(dirFd, path, flags, mode) : ::openat(dirFd, path, flags, mode);
}

int fstatfs(int fd, struct statfs* out) { return active.fstatfs ? active.fstatfs(fd, out) : ::fstatfs(fd, out); }

ScopedOverrides::ScopedOverrides(Overrides overrides) : previous_(std::move(active)) {
    active = std::move(overrides);
}

ScopedOverrides::~ScopedOverrides() { active = std::move(previous_); }

}  // namespace syscalls
