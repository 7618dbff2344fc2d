// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/PosixFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/FileOpErrors.h"
#include "engine/HiddenNames.h"
#include "engine/PosixFileOps.h"
#include "util/IniFileIo.h"
#include "util/PathText.h"
#include "util/SyscallSeam.h"
#include "util/UniqueFd.h"

namespace {

long long mtimeNs(const struct stat& st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// text with name listed (on) or not: the user's own lines keep their order
// and bytes, a new name goes at the end, and removing one deletes only its
// lines. Nothing when no name is left: the file goes.
std::optional<std::string> hiddenTextWith(const std::string& text, const std::string& name, bool on) {
    const bool listed = namesOf(text).count(name) != 0;
    std::string edited;
    if (listed == on) {
        edited = text;
    } else if (on) {
        edited = text;
        if (!edited.empty() && edited.back() != '\n') edited += '\n';
        edited += name + '\n';
    } else {
        for (const auto& line : linesOf(text))
            if (nameOfLine(line) != name) edited += line;
    }
    if (namesOf(edited).empty()) return std::nullopt;
    return edited;
}

// Gives the object open at fd (O_PATH; st: its fstat) the mode: through its
// /proc entry, which names that object whatever happened to path; without
// /proc, through a regular file opened again at path, and only while that is
// still the same object (a special file is never opened).
bool changeModeOf(int fd, const struct stat& st, const std::string& path, mode_t mode) {
    const std::string entry = "/proc/self/fd/" + std::to_string(fd);
    if (::chmod(entry.c_str(), mode) == 0) return true;
    if (errno != ENOENT || !S_ISREG(st.st_mode)) return false;
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat now {};
    return file.get() >= 0 && ::fstat(file.get(), &now) == 0 && now.st_dev == st.st_dev &&
           now.st_ino == st.st_ino && ::fchmod(file.get(), mode) == 0;
}

}  // namespace

bool PosixFileSystem::fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::directoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::listedInHiddenFile(const std::string& folder, const std::string& name) {
    const std::string file = joinPath(folder, ".hidden");
    struct stat st {};
    std::lock_guard lock(hiddenMutex_);
    if (::stat(file.c_str(), &st) != 0) {
        hiddenCache_.erase(folder);
        return false;
    }
    HiddenList& list = hiddenCache_[folder];
    if (list.mtimeNs != mtimeNs(st)) {
        list.names = readHiddenFile(file).value_or(std::set<std::string>());
        list.mtimeNs = mtimeNs(st);
    }
    return list.names.count(name) != 0;
}

std::optional<unsigned> PosixFileSystem::attributes(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0) return std::nullopt;
    unsigned bits = 0;
    if (S_ISDIR(st.st_mode)) {
        bits |= attr::Directory;
    } else if (S_ISLNK(st.st_mode)) {
        bits |= attr::ReparsePoint;
        struct stat target {};
        if (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
            bits |= attr::Directory;
    } else if (S_ISREG(st.st_mode)) {
        bits |= attr::Archive;
    } else {
        bits |= attr::System;
    }
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR)) bits |= attr::ReadOnly;
    const std::string name = fileNamePart(path);
    if (!name.empty() && (name[0] == '.' || listedInHiddenFile(folderPart(path), name)))
        bits |= attr::Hidden;
    return bits;
}

bool PosixFileSystem::setAttribute(const std::string& path, unsigned bit, bool on) {
    if (bit == attr::Hidden) return setHidden(path, on);
    if (bit != attr::ReadOnly) return false;
    // Judged and changed through one descriptor: a file swapped for a link
    // meanwhile never passes its mode to the link's target.
    const UniqueFd object(::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (object.get() < 0 || ::fstat(object.get(), &st) != 0 || S_ISLNK(st.st_mode)) return false;
    mode_t mode = st.st_mode & 07777;
    mode = on ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (betweenCheckAndChange) betweenCheckAndChange(path);
    return changeModeOf(object.get(), st, path, mode);
}

bool PosixFileSystem::setHidden(const std::string& path, bool on) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return false;
    const std::string name = fileNamePart(path);
    if (name.empty()) return false;
    if (name[0] == '.') return on;  // a dot-name is always hidden
    // A line break in the name cannot be written so that it reads back.
    if (name.find_first_of("\r\n") != std::string::npos) return false;
    const std::string folder = folderPart(path);
    const std::string file = joinPath(folder, ".hidden");
    std::lock_guard lock(hiddenMutex_);
    const std::optional<std::string> read = readHiddenText(file);
    if (!read) return false;  // never replace a list that could not be read
    if ((namesOf(*read).count(name) != 0) == on) return true;
    hiddenCache_.erase(folder);
    // Made again on what the file holds right before it is replaced, so
    // that a change another program made meanwhile stays.
    return editFileAtomically(file, [&](const std::string& text) { return hiddenTextWith(text, name, on); });
}

bool PosixFileSystem::listDirectory(const std::string& folder, std::vector<DirEntry>& out) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return false;
    std::set<std::string> hidden;
    {
        const std::string file = joinPath(folder, ".hidden");
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0)
            hidden = readHiddenFile(file).value_or(std::set<std::string>());
    }
    const int fd = ::dirfd(dir);
    bool ok = true;
    for (;;) {
        errno = 0;
        dirent* e = ::readdir(dir);
        if (!e) {
            ok = errno == 0;
            break;
        }
        const char* n = e->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
            }
        }
        std::string name(n);
        const bool isHidden = name[0] == '.' || hidden.count(name) != 0;
        out.push_back(DirEntry{std::move(name), type == DT_DIR, type == DT_LNK, isHidden});
    }
    ::closedir(dir);
    return ok;
}

bool PosixFileSystem::makeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

bool PosixFileSystem::removeDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

bool PosixFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    const int rc = posixops::renameNoReplace(from, to);
    if (rc) errno = rc < fileop_error::SameFile ? rc : EIO;
    return rc == 0;
}
