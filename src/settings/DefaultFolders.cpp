// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/DefaultFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include <QFile>
#include <QStandardPaths>

#include "util/PathText.h"

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string userDir(QStandardPaths::StandardLocation location) {
    return QFile::encodeName(QStandardPaths::writableLocation(location)).toStdString();
}

}  // namespace

UserFolders userFolders() {
    UserFolders user;
    user.home = homeFolder();
    if (user.home.empty()) return user;
    user.desktop = userDir(QStandardPaths::DesktopLocation);
    user.documents = userDir(QStandardPaths::DocumentsLocation);
    user.downloads = userDir(QStandardPaths::DownloadLocation);
    return user;
}

std::vector<std::string> DefaultFolderCandidates(const UserFolders& user,
                                                 const std::string& executableFolder) {
    const std::string home = withoutTrailingSlash(user.home);
    std::vector<std::string> candidates;
    auto add = [&](const std::string& folder, bool maybeHome) {
        const std::string f = withoutTrailingSlash(folder);
        if (f.empty() || (maybeHome && f == home)) return;
        candidates.push_back(f);
    };
    add(user.desktop, true);
    add(user.documents, true);
    add(executableFolder, false);
    add(user.downloads, true);
    return candidates;
}
