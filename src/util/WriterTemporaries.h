// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ctime>
#include <string>

// The temporary files the whole-file writer (util/IniFileIo.h) makes next to
// the file it replaces: hidden names of one fixed shape, well within
// NAME_MAX whatever the file's name, so that leftovers of a crash can be
// told from everything else and removed.

// A fresh name ".dorvanquellis-<12 random letters and digits>.new".
std::string writerTemporaryName();

// name is one of ours next to the file named target: the current shape, or
// the visible "<target>.tmp<pid>_<number>" of earlier versions.
bool isWriterTemporaryName(const std::string& name, const std::string& target);

// Removes our temporaries next to target in the folder open at dir that are
// regular files changed before olderThan and open in no process: what a
// crash left.
void removeStaleWriterTemporaries(int dir, const std::string& target, const struct timespec& olderThan);

// When this process started, from the kernel's record of it (a forked
// process has its own); the time the program was loaded where that cannot
// be read.
struct timespec processStartTime();
