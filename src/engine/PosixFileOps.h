// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "util/UniqueFd.h"

// The file-system steps of the file-operation service. Every function returns
// 0 or an errno value (or a fileop_error code). Paths are bytes; symbolic
// links are never followed below a listed path: a walk opens each folder
// relative to its open parent (O_NOFOLLOW | O_DIRECTORY) and acts on names
// relative to that folder, so a folder swapped for a link meanwhile is never
// entered.
namespace posixops {

// Folder of path ("/" for the root, "." without a slash).
std::string parentOf(const std::string& path);
// Last component of path.
std::string nameOf(const std::string& path);
// folder joined with name.
std::string childOf(const std::string& folder, const std::string& name);

int lstatPath(const std::string& path, struct stat& st);

// A path the engine may act on: not empty, not the root, and not ending in
// "." or ".." (which would name a folder other than the one written).
bool actionablePath(const std::string& path);
// a and b are one object (device and inode).
inline bool sameObject(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// An open folder descriptor, closed with the object.
using DirFd = UniqueFd;

// Opens the folder at path (a listed path: links in it are followed once).
int openFolder(const std::string& path, DirFd& out);
// Opens the folder name inside dir; a link or anything else fails.
int openSubfolder(int dir, const std::string& name, DirFd& out);
int statAt(int dir, const std::string& name, struct stat& st);
// Names in the open folder dir, without "." and "..".
int listNamesAt(int dir, std::vector<std::string>& names);
// Names of the folders in the open folder dir (links to folders are none).
int listSubfolderNamesAt(int dir, std::vector<std::string>& names);

// The folder name in the open folder dir (dirSt: dir's fstat, st: name's
// lstat) is the root of another mounted file system: a walk never enters it.
bool isMountedFolderAt(int dir, const struct stat& dirSt, const std::string& name,
                       const struct stat& st);
// Opens the folder name in dir if it is still the one st describes
// (fileop_error::Changed otherwise); opened receives its fstat.
int reopenSubfolder(int dir, const std::string& name, const struct stat& st, DirFd& out,
                    struct stat& opened);

// name in dir is the root of a mounted file system (a drive root).
bool isMountRootAt(int dir, const std::string& name);
// path is a mount point; "/" is one.
bool isMountPoint(const std::string& path);
// Some file system is mounted at path or below it.
bool holdsMountPoint(const std::string& path);

// Receives the number of bytes just copied; false cancels the copy.
using ChunkCallback = std::function<bool(long long bytes)>;

// What a file system's flushes and inode numbers can be trusted with.
struct FileSystemTraits {
    // syncfs reaches the device (not so on FUSE and network file systems,
    // where only an fsync of each file is passed on).
    bool syncfsFlushes = true;
    // An unchanged file keeps its inode number and change time (FUSE and
    // network file systems may give it others: numbers of their own, change
    // times the kernel set before the server's came back).
    bool stableIdentity = true;
};
// Traits of the file system that holds the open file fd (by its statfs type).
FileSystemTraits fileSystemTraits(int fd);

struct CopyOptions {
    std::size_t chunkBytes = std::size_t(8) << 20;  // progress and cancel granularity
    ChunkCallback onChunk;
    // Set once linking an unnamed file into a folder was refused, so that
    // later copies of the operation write to a temporary name at once.
    bool* unnamedRefused = nullptr;
    // Set once the target's file system could put a temporary in place
    // neither by RENAME_NOREPLACE nor by a hard link: later copies write the
    // final name, created exclusively, at once.
    bool* exclusiveOnly = nullptr;
    // The copy and its folder entry are flushed before copyFile returns
    // (a move to a file system whose syncfs cannot be trusted).
    bool flushEach = false;
    // The source is checked by inode number and change time too.
    bool stableIdentity = true;
    // With replace: the complete copy stays, unflushed, under the temporary
    // name stagedAs receives; the caller flushes it and renames it over the
    // target (see ReplaceBatch).
    std::string* stagedAs = nullptr;
};

// Copies all data of in (st: its fstat) to the empty file out; holes of a
// sparse file stay holes. copied counts data and holes.
int copyData(int in, int out, const struct stat& st, const CopyOptions& options, long long& copied);

// Copies the regular file name in srcDir (st: its lstat) to dstName in dstDir
// with its permission bits and times; holes stay holes. The target appears
// only complete, closed and checked: the data goes to an unnamed file
// (O_TMPFILE) linked in at the end, or to a temporary name (recognisable, see
// isOurTemporaryName) renamed onto the target. Without replace an existing
// target fails with EEXIST. With replace the new file is flushed (fsync)
// before it is renamed over the target, and the folder after. On failure or
// cancellation (ECANCELED) nothing is left behind. checked, when given,
// receives the source's state that was verified after copying.
int copyFile(int srcDir, const std::string& name, const struct stat& st, int dstDir,
             const std::string& dstName, bool replace, const CopyOptions& options,
             struct stat* checked = nullptr);

// Copies the symbolic link itself (its target text) on the same terms;
// with flushEach its folder entry is flushed before it returns.
int copyLink(int srcDir, const std::string& name, const struct stat& st, int dstDir,
             const std::string& dstName, bool replace, bool flushEach = false);

// Renames without replacing, in one step that cannot replace: EEXIST when
// the target exists. Where the file system knows neither RENAME_NOREPLACE
// nor hard links, a file is not renamed (fileop_error::NoExclusiveRename);
// a folder is renamed after a check that the name is free.
int renameExclusiveAt(int fromDir, const std::string& from, int toDir, const std::string& to);
// The renames that the user asks for name by name: as renameExclusiveAt, so
// a file on a mount without RENAME_NOREPLACE and hard links (sshfs without
// hard links) is refused with NoExclusiveRename rather than renamed after a
// check that another client could overtake.
int renameNoReplaceAt(int fromDir, const std::string& from, int toDir, const std::string& to);
int renameNoReplace(const std::string& from, const std::string& to);
// Renames over an existing target in one step.
int renameReplaceAt(int fromDir, const std::string& from, int toDir, const std::string& to);

// Creates path and its missing parents.
int makeFolders(const std::string& path);
// Creates one folder in dir, accessible to its owner while it is filled.
int makeFolderAt(int dir, const std::string& name);
// Gives the open copied folder the permission bits and times of st.
int copyFolderMetadata(int folder, const struct stat& st);

// 0 when entries may be removed from the open folder dir as far as its file
// system and permissions tell (EROFS or EACCES otherwise).
int removableFrom(int dir);

// Flushes the regular file name in dir, or the open folder, to the device.
int flushFileAt(int dir, const std::string& name);
int flushFolder(int folder);

// Flushes the file system that holds the open file fd to its device; errors
// of writes made since fd was opened are reported.
int syncFileSystem(int fd);

// What was checked of a source before it may be removed.
struct CheckedEntry {
    std::string folder;            // the folder's path
    dev_t folderDev = 0;           // and identity when it was read
    ino_t folderIno = 0;
    std::string name;
    bool isFolder = false;
    struct stat state {};          // the entry as checked
    bool stableIdentity = true;    // inode numbers and change times are compared too
};
// A folder opened by removeIfUnchanged and kept for the next entry of the
// same folder.
struct RemovalFolder {
    std::string path;
    struct stat st {};
    DirFd fd;
};
// Removes the entry if it is still the one checked: same folder, and the
// same file with the same size, modification and change times (a folder:
// the same folder, removed only when empty). fileop_error::Changed otherwise.
// Without stableIdentity only the device, kind, size and modification time
// are compared.
// With kept, the folder stays open there for the following entries: one that
// names the same folder with the same identity is removed through it.
int removeIfUnchanged(const CheckedEntry& entry, RemovalFolder* kept = nullptr);

struct RemoveCallbacks {
    std::function<bool(const std::string& path)> entry;           // false stops
    std::function<bool(const std::string& path, int code)> error;  // false stops
};
// Removes a file, link or special file, or a folder with everything in it.
// A mounted file system inside is never entered: it is reported
// (fileop_error::MountPoint) and the folders around it stay. Returns
// ECANCELED when a callback stopped it, else 0 or the first failure.
int removeTree(const std::string& path, const RemoveCallbacks& callbacks);

// path is folder or lies below it (both existing; resolved through links).
bool isSameOrInside(const std::string& path, const std::string& folder);

// The temporary names copyFile uses (and those of earlier versions).
bool isOurTemporaryName(const std::string& name);
// Removes our temporary files in the open folder dir that were last changed
// before olderThan and that no process has open: leftovers of a crash.
void removeStaleTemporaries(int dir, std::time_t olderThan);
// a and b describe the same file in the same state: device, kind, size and
// modification time, and with identity the inode number and change time.
bool sameFileState(const struct stat& a, const struct stat& b, bool identity = true);

// When this process started (seconds since the epoch).
std::time_t processStartTime();

}  // namespace posixops
