// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLineFiles.h"

#include <climits>
#include <unistd.h>

std::vector<std::string> CommandLineFiles(const std::vector<std::string>& arguments,
                                          const std::string& currentFolder) {
    std::vector<std::string> files;
    for (std::string path : arguments) {
        if (path.empty()) continue;
        if (path.front() != '/') {
            if (currentFolder.empty()) continue;
            while (path.starts_with("./")) path.erase(0, 2);
            path = (currentFolder.back() == '/' ? currentFolder : currentFolder + "/") + path;
        }
        files.push_back(std::move(path));
    }
    return files;
}

std::vector<std::string> CommandLineFiles(const std::vector<std::string>& arguments) {
    char buf[PATH_MAX];
    const char* cwd = ::getcwd(buf, sizeof buf);
    return CommandLineFiles(arguments, cwd ? cwd : "");
}
