// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/WalkSeam.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {
WalkHooks active;
}  // namespace

bool identify(int fd, Identity& id) {
    struct statx sx {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_INO, &sx) == 0) {
        if (active.afterStatx) active.afterStatx(sx);
        id.dev = makedev(sx.stx_dev_major, sx.stx_dev_minor);
        id.ino = sx.stx_ino;
        id.mountRootKnown = (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0;
        id.mountRoot = id.mountRootKnown && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
        return S_ISDIR(sx.stx_mode);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    id.dev = st.st_dev;
    id.ino = st.st_ino;
    id.mountRoot = id.mountRootKnown = false;
    return S_ISDIR(st.st_mode);
}

int openFolderAt(int parentFd, const char* name) {
    if (active.beforeOpen) active.beforeOpen(parentFd, name);
    return ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

ScopedWalkHooks::ScopedWalkHooks(WalkHooks hooks) : previous_(std::move(active)) {
    active = std::move(hooks);
}

ScopedWalkHooks::~ScopedWalkHooks() { active = std::move(previous_); }
