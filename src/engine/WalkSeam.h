// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <sys/types.h>

struct statx;

// The calls with which a walk opens a subfolder and tells what it is, with
// test hooks in the place of what another program or another file system
// could do meanwhile.

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool mountRoot = false;       // as far as statx tells it
    bool mountRootKnown = false;  // statx tells mount roots on this file system
    bool operator==(const Identity& o) const { return dev == o.dev && ino == o.ino; }
};

// The identity of the object open at fd; true when it is a folder.
bool identify(int fd, Identity& id);

// Opens name in the folder open at parentFd as a folder, never through a
// symbolic link; -1 when it cannot.
int openFolderAt(int parentFd, const char* name);

// Set while no walk runs; an empty member changes nothing.
struct WalkHooks {
    // Between reading a subfolder's name and opening it.
    std::function<void(int parentFd, const char* name)> beforeOpen;
    // Changes what statx told about a folder.
    std::function<void(struct statx& sx)> afterStatx;
};

// Installs hooks for its lifetime; the previous ones come back at the end.
class ScopedWalkHooks {
public:
    explicit ScopedWalkHooks(WalkHooks hooks);
    ~ScopedWalkHooks();
    ScopedWalkHooks(const ScopedWalkHooks&) = delete;
    ScopedWalkHooks& operator=(const ScopedWalkHooks&) = delete;

private:
    WalkHooks previous_;
};
