// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <sys/types.h>

// One file system of the engine's matrix, mounted on a fresh folder below
// where (root only): a tmpfs, a loop-mounted XFS or btrfs image (the image
// in where), or a FUSE pass-through of a folder in where, with or without
// hard links (tests/support/fuse/PassFs.cpp). Unmounted with the object, its
// loop device detached and its FUSE process ended; should the test process
// die first, its private mount namespace and the FUSE process's death
// signal take them along.
class MatrixMount {
public:
    enum class Kind { Tmpfs, Xfs, Btrfs, Fuse, FuseNoLinks };

    MatrixMount(Kind kind, const std::string& where);
    ~MatrixMount();
    MatrixMount(const MatrixMount&) = delete;
    MatrixMount& operator=(const MatrixMount&) = delete;

    // Why it could not be mounted (empty when it is).
    const std::string& skipReason() const { return why_; }
    const std::string& path() const { return path_; }

private:
    void mountImage(const char* mkfs, const std::string& size, const std::string& where);
    void mountFuse(bool links, const std::string& where);

    std::string path_;
    std::string why_;
    bool mounted_ = false;
    pid_t fuse_ = -1;
};
