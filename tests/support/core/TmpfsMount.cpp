// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/core/TmpfsMount.h"

#include <filesystem>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

TmpfsMount::TmpfsMount(const std::string& where, const std::string& size)
    : path_(where), options_("size=" + size + ",mode=0755") {
    std::filesystem::create_directories(where);
    mounted_ = ::geteuid() == 0 && ::mount("tmpfs", where.c_str(), "tmpfs", 0, options_.c_str()) == 0;
}

TmpfsMount::~TmpfsMount() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

bool TmpfsMount::remountReadOnly() {
    return mounted_ &&
           ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options_.c_str()) == 0;
}

bool enterPrivateMountNamespace() {
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0) return false;
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}
