// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/XdgSettingsLocation.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char* const kFileName = "Dorvanquellis.ini";

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// $HOME, else the account's home, else the root; never relative.
std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir == '/')
        return pw->pw_dir;
    return "/";
}
}  // namespace

std::string XdgSettingsLocation::executableFolder() {
    if (!exeFolder_.empty()) return exeFolder_;
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string exe(buf, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string XdgSettingsLocation::portableFile() {
    const std::string portable = executableFolder() + kFileName;
    return isRegularFile(portable) ? portable : std::string();
}

std::string XdgSettingsLocation::settingsFile() {
    if (std::string portable = portableFile(); !portable.empty()) return portable;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        config = homeFolder();
        if (config.back() != '/') config += '/';
        config += ".config";
    }
    return config + "/dorvanquellis/" + kFileName;
}

std::string XdgSettingsLocation::defaultFolder() {
    if (!portableFile().empty()) return executableFolder();
    std::string home = homeFolder();
    if (home.back() != '/') home += '/';
    return home;
}
