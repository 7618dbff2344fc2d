// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Reading whole files and replacing them atomically.

enum class FileReadResult { Read, Missing, Failed, TooLarge };

// The whole content of the regular file at path. Missing when nothing is
// there (or a parent is not a folder); Failed when something is there that
// cannot be read as a regular file (a folder, a FIFO — never opened to wait
// for a writer —, no permission); TooLarge beyond maxSize bytes.
FileReadResult readWholeFile(const std::string& path, std::string& bytes,
                             std::size_t maxSize = SIZE_MAX);
// The same for name in the folder open at dirFd.
FileReadResult readWholeFileAt(int dirFd, const char* name, std::string& bytes,
                               std::size_t maxSize = SIZE_MAX);

// Replaces the file at path with bytes through a temporary file in the same
// folder and a rename, so that the file is either old or new, never partly
// written: the new file is flushed before the rename, the folder after.
// Creates missing folders; keeps the permissions of a replaced file; writes
// through a chain of symlinks to its end, the links kept. The temporary has
// a short hidden name (util/WriterTemporaries.h), and the leftovers of a
// crash in that folder go the first time this process writes there. false
// on failure, the old file then unchanged.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// The same with the content made piece by piece: produce hands each piece to
// its sink and returns false (as the sink does when writing fails) to give
// up, leaving the old file unchanged. Writing back the data starts while
// the pieces come, so the final sync has little left to wait for.
using ByteSink = std::function<bool(std::string_view)>;
bool writeFileAtomically(const std::string& path, const std::function<bool(const ByteSink&)>& produce);

// Replaces the file at path, as writeFileAtomically does, with what edit makes
// of its content (empty when there is none). Right before the rename the file
// is read again: when another program changed it meanwhile, edit runs again
// on what it holds now, so that the other change stays. edit returns nothing
// to remove the file (a symlink's target is emptied instead). false when the
// file cannot be read or written, or keeps changing.
bool editFileAtomically(const std::string& path,
                        const std::function<std::optional<std::string>(const std::string&)>& edit);
