// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// Failure codes of the file-operation service: errno values, plus a few
// conditions of its own above the errno range.
namespace fileop_error {
inline constexpr int SameFile = 100001;        // source and target are one file
inline constexpr int IntoItself = 100002;      // folder copied or moved into itself
inline constexpr int SpecialFile = 100003;     // FIFO, socket or device: never read
inline constexpr int KindMismatch = 100004;    // a file meets a folder of the same name
inline constexpr int NotAFolder = 100005;      // the target folder is a file
inline constexpr int Changed = 100006;         // the source changed while it was copied
inline constexpr int TrashFailed = 100007;     // the trash refused the item
inline constexpr int RootRefused = 100008;     // "/" or an empty path
inline constexpr int NoFreeName = 100009;      // no collision-free name was found
inline constexpr int MountPoint = 100010;      // a mounted file system: a drive root
inline constexpr int HoldsMountPoint = 100011; // a folder with a mounted file system inside
inline constexpr int SourceChanged = 100012;   // a moved source changed after it was copied
inline constexpr int WrittenByJob = 100013;    // the target was written by an earlier item of the job
inline constexpr int NoExclusiveRename = 100014;  // no rename here is sure not to replace
}  // namespace fileop_error

// Japanese description (UTF-8) of a failure code.
std::string fileOpErrorText(int code);

// The errno value that perform() returns for a failure code.
int fileOpErrorErrno(int code);
