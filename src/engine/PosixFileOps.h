#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

// The file-system steps of the file-operation service. Every function returns
// 0 or an errno value (or a fileop_error code). Paths are bytes; symbolic
// links are never followed.
namespace posixops {

// Folder of path ("/" for the root, "." without a slash).
std::string parentOf(const std::string& path);
// folder joined with name.
std::string childOf(const std::string& folder, const std::string& name);

int lstatPath(const std::string& path, struct stat& st);

// Receives the number of bytes just copied; false cancels the copy.
using ChunkCallback = std::function<bool(long long bytes)>;

// Copies the regular file src (st: its lstat) to dst with the source's
// permission bits and times. dst appears only complete, closed and checked:
// the data goes to an unnamed file (O_TMPFILE) that is linked in at the end,
// or, for replacing and where the file system has no unnamed files, to a
// hidden temporary name that is renamed over dst. Without replace an
// existing dst fails with EEXIST; with it dst is replaced in one step. On
// failure or cancellation (ECANCELED) nothing is left behind.
int copyFile(const std::string& src, const struct stat& st, const std::string& dst, bool replace,
             std::size_t chunkBytes, const ChunkCallback& onChunk);

// Copies the symbolic link src itself (its target text) to dst, on the same
// terms as copyFile.
int copyLink(const std::string& src, const struct stat& st, const std::string& dst, bool replace);

// Renames without replacing: EEXIST when to exists.
int renameNoReplace(const std::string& from, const std::string& to);
// Renames over an existing to in one step.
int renameReplace(const std::string& from, const std::string& to);

// Creates path and its missing parents.
int makeFolders(const std::string& path);
// Creates one folder, accessible to its owner while it is filled.
int makeFolder(const std::string& path);
// Gives a copied folder the permission bits and times of st.
int copyFolderMetadata(const std::string& path, const struct stat& st);

// Names in folder, without "." and "..".
int listNames(const std::string& folder, std::vector<std::string>& names);

struct RemoveCallbacks {
    std::function<bool(const std::string& path)> entry;           // false stops
    std::function<bool(const std::string& path, int code)> error;  // false stops
};
// Removes a file, link or special file, or a folder with everything in it.
// Returns ECANCELED when a callback stopped it, else 0 or the first failure.
int removeTree(const std::string& path, const RemoveCallbacks& callbacks);

int removeEntry(const std::string& path, bool folder);

// Flushes the file system that holds folder to its device.
int syncFileSystem(const std::string& folder);

// path is folder or lies below it (both existing; resolved through links).
bool isSameOrInside(const std::string& path, const std::string& folder);

}  // namespace posixops
