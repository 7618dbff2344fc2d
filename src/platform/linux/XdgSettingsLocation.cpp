#include "platform/linux/XdgSettingsLocation.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char* const kFileName = "Dorvanquellis.ini";

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
}  // namespace

std::string XdgSettingsLocation::executableFolder() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string exe(buf, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string XdgSettingsLocation::settingsFile() {
    const std::string portable = executableFolder() + kFileName;
    if (isRegularFile(portable)) return portable;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        config = std::string(home ? home : "") + "/.config";
    }
    return config + "/dorvanquellis/" + kFileName;
}
