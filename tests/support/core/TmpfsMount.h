// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// A tmpfs of the given size on a fresh folder, for a second file system or a
// full disk; skip() is true when it cannot be mounted (not root). Unmounted
// with the object.
class TmpfsMount {
public:
    TmpfsMount(const std::string& where, const std::string& size);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool skip() const { return !mounted_; }
    const std::string& path() const { return path_; }
    // Makes the file system read-only (false when it cannot).
    bool remountReadOnly();

private:
    std::string path_;
    std::string options_;
    bool mounted_ = false;
};

// Gives the process a mount namespace of its own whose mounts never reach
// the system's, so that a test that dies leaves no mount behind. Works only
// while the process has a single thread (before main) and as root; false
// otherwise, and mounts then go to the shared namespace as before.
bool enterPrivateMountNamespace();
