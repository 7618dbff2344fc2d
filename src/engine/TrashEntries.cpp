// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/TrashEntries.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>
#include <vector>

#include "engine/PosixFileOps.h"

using namespace posixops;

namespace {

std::string homeTrash() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::string(data) + "/Trash";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/Trash";
}

// The highest folder above path on the device dev.
std::string topOf(const std::string& path, dev_t dev) {
    std::string top;
    for (std::string p = parentOf(path);; p = parentOf(p)) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) == 0 && st.st_dev == dev) top = p;
        else if (!top.empty()) break;
        if (p == "/" || p == ".") break;
    }
    return top;
}

bool isEntryOf(const std::string& file, const struct stat& before) {
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 && sameObject(st, before);
}

// The names the trash gives an item: NAME, then NAME.2 ... or BASE.2.EXT.
std::vector<std::string> likelyNames(const std::string& name) {
    std::vector<std::string> names{name};
    const std::size_t dot = name.find('.', 1);
    for (int id = 2; id <= 20; ++id) {
        const std::string n = std::to_string(id);
        names.push_back(name + "." + n);
        if (dot != std::string::npos) names.push_back(name.substr(0, dot) + "." + n + name.substr(dot));
    }
    return names;
}

std::optional<TrashEntry> entryIn(const std::string& trash, const std::string& name) {
    return TrashEntry{trash + "/files/" + name, trash + "/info/" + name + ".trashinfo"};
}

}  // namespace

std::vector<std::string> trashFoldersFor(const std::string& path, dev_t dev) {
    std::vector<std::string> folders;
    const std::string home = homeTrash();
    struct stat st {};
    if (::stat(parentOf(home).c_str(), &st) == 0 && st.st_dev == dev) folders.push_back(home);
    const std::string top = topOf(path, dev);
    if (!top.empty()) {
        const std::string base = top == "/" ? std::string() : top;
        const std::string uid = std::to_string(::getuid());
        folders.push_back(base + "/.Trash/" + uid);
        folders.push_back(base + "/.Trash-" + uid);
    }
    return folders;
}

std::optional<TrashEntry> findTrashEntry(const std::string& path, const struct stat& before) {
    const std::vector<std::string> folders = trashFoldersFor(path, before.st_dev);
    for (const std::string& trash : folders)
        for (const std::string& name : likelyNames(nameOf(path)))
            if (isEntryOf(trash + "/files/" + name, before)) return entryIn(trash, name);
    // Named otherwise: every entry is looked at.
    for (const std::string& trash : folders) {
        DIR* dir = ::opendir((trash + "/files").c_str());
        if (!dir) continue;
        std::optional<TrashEntry> found;
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            if (isEntryOf(trash + "/files/" + name, before)) {
                found = entryIn(trash, name);
                break;
            }
        }
        ::closedir(dir);
        if (found) return found;
    }
    return std::nullopt;
}

int restoreTrashEntry(const TrashEntry& entry, const std::string& path) {
    struct stat st {};
    const std::string parent = parentOf(path);
    if (::lstat(parent.c_str(), &st) != 0)
        if (int rc = makeFolders(parent)) return rc;
    if (int rc = renameNoReplace(entry.file, path)) return rc;
    if (!entry.info.empty()) ::unlink(entry.info.c_str());
    return 0;
}
