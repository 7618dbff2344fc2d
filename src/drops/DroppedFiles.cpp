// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drops/DroppedFiles.h"

#include <climits>
#include <sys/stat.h>

#include "controls/PathListModel.h"
#include "engine/IFileSystem.h"
#include "platform/Platform.h"
#include "platform/Messages.h"
#include "util/Collation.h"
#include "util/PathText.h"

namespace {

// A dropped name is read into a buffer of PATH_MAX bytes with its terminator.
constexpr std::size_t kMaxDroppedName = PATH_MAX - 1;

bool isLinkToFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void message(const char* text) { notice(QString::fromLatin1(text)); }

}  // namespace

void ListFilesInFolders(std::vector<std::string>& folders, std::vector<std::string>& result) {
    IFileSystem& fs = *platform().fileSystem;
    result.clear();
    const std::size_t count = folders.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<std::string> files;
        folders[i] = withTrailingSlash(folders[i]);
        const std::string& folder = folders[i];
        std::vector<DirEntry> entries;
        fs.listDirectory(folder, entries);  // a failure keeps what was read
        for (const DirEntry& e : entries) {
            if (e.isDirectory) continue;
            std::string path = folder + e.name;
            if (e.isSymlink && isLinkToFolder(path)) continue;
            files.push_back(std::move(path));
        }
        sortCaseInsensitive(files);
        result.insert(result.end(), files.begin(), files.end());
    }
}

bool CollectDroppedFolderFiles(std::vector<std::string>& folders, std::vector<std::string>& result) {
    result.clear();
    if (folders.empty()) return true;
    sortCaseInsensitive(folders);
    try {
        std::vector<std::string> found;
        ListFilesInFolders(folders, found);
        result.insert(result.end(), found.begin(), found.end());
        return true;
    } catch (...) {
        message("SetDropDirectory Error");
        return false;
    }
}

void DropFiles(const std::vector<std::string>& names, PathListModel& dataList) {
    if (names.empty()) return;
    try {
        IFileSystem& fs = *platform().fileSystem;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        for (const std::string& dropped : names) {
            try {
                const std::string name = dropped.substr(0, kMaxDroppedName);
                const std::optional<unsigned> attributes = fs.attributes(name);
                if (!attributes || (*attributes & attr::Directory)) {
                    if (fs.directoryExists(name)) folders.push_back(name);
                } else {
                    files.push_back(name);
                }
            } catch (...) {
                // A name that cannot be read is skipped.
            }
        }
        if (!folders.empty()) {
            std::vector<std::string> found;
            try {
                try {
                    CollectDroppedFolderFiles(folders, found);
                    files.insert(files.end(), found.begin(), found.end());
                } catch (...) {
                    message("DropFiles Error(1)");
                }
            } catch (...) {
                message("DropFiles Error(2)");
            }
        }
        dataList.append(files);
    } catch (...) {
        message("DropFiles Error(3)");
    }
}
