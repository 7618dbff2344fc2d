// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/FolderListing.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/IFileSystem.h"
#include "platform/Platform.h"
#include "util/Collation.h"
#include "util/PathText.h"
#include "util/WildcardMask.h"

namespace {

bool linkToFolder(const std::string& folder, const std::string& name) {
    struct stat st {};
    return ::stat(joinPath(folder, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<std::string> listMatchingFiles(const std::string& folder, const std::string& mask) {
    std::vector<DirEntry> entries;
    platform().fileSystem->listDirectory(folder, entries);
    std::vector<std::string> names;
    for (auto& e : entries) {
        if (e.isDirectory || e.isHidden || !matchesMask(e.name, mask)) continue;
        if (e.isSymlink && linkToFolder(folder, e.name)) continue;
        names.push_back(std::move(e.name));
    }
    sortCaseInsensitive(names);
    return names;
}

std::vector<std::string> listSubfolders(const std::string& folder) {
    std::vector<DirEntry> entries;
    platform().fileSystem->listDirectory(folder, entries);
    std::vector<std::string> names;
    for (auto& e : entries) {
        if (e.isHidden) continue;
        if (e.isDirectory || (e.isSymlink && linkToFolder(folder, e.name)))
            names.push_back(std::move(e.name));
    }
    sortCaseInsensitive(names);
    return names;
}

std::string normalisedFolder(const std::string& path) {
    std::string full = path;
    if (full.empty() || full[0] != '/') {
        char buf[PATH_MAX];
        const std::string cwd = ::getcwd(buf, sizeof buf) ? buf : "/";
        full = joinPath(cwd, full);
    }
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= full.size()) {
        std::size_t end = full.find('/', pos);
        if (end == std::string::npos) end = full.size();
        std::string part = full.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        pos = end + 1;
    }
    std::string out;
    for (const auto& p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}
