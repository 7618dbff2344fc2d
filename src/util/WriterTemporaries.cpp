// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/WriterTemporaries.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "util/OpenFiles.h"

namespace {

constexpr char Prefix[] = ".dorvanquellis-";
constexpr char Suffix[] = ".new";
constexpr std::size_t RandomLength = 12;

const struct timespec loadedAt = [] {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}();

bool allOf(const std::string& text, std::size_t from, std::size_t to, bool (*accept)(char)) {
    return from < to && std::all_of(text.begin() + long(from), text.begin() + long(to), accept);
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isDigitOrLower(char c) { return isDigit(c) || (c >= 'a' && c <= 'z'); }

bool hasCurrentShape(const std::string& name) {
    const std::size_t prefix = sizeof Prefix - 1, suffix = sizeof Suffix - 1;
    return name.size() == prefix + RandomLength + suffix && name.compare(0, prefix, Prefix) == 0 &&
           name.compare(name.size() - suffix, suffix, Suffix) == 0 &&
           allOf(name, prefix, prefix + RandomLength, isDigitOrLower);
}

// "<target>.tmp<digits>_<digits>"
bool hasEarlierShape(const std::string& name, const std::string& target) {
    const std::string head = target + ".tmp";
    if (target.empty() || name.compare(0, head.size(), head) != 0) return false;
    const std::size_t underscore = name.find('_', head.size());
    return underscore != std::string::npos && allOf(name, head.size(), underscore, isDigit) &&
           allOf(name, underscore + 1, name.size(), isDigit);
}

bool before(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

std::string writerTemporaryName() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = Prefix;
    for (std::size_t i = 0; i < RandomLength; ++i) name += digits[generator() % 36];
    return name + Suffix;
}

bool isWriterTemporaryName(const std::string& name, const std::string& target) {
    return hasCurrentShape(name) || hasEarlierShape(name, target);
}

void removeStaleWriterTemporaries(int dir, const std::string& target, const struct timespec& olderThan) {
    const int listFd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return;
    DIR* d = ::fdopendir(listFd);
    if (!d) {
        ::close(listFd);
        return;
    }
    std::vector<std::string> names;
    while (dirent* e = ::readdir(d))
        if (isWriterTemporaryName(e->d_name, target)) names.emplace_back(e->d_name);
    ::closedir(d);
    for (const std::string& n : names) {
        struct stat st {};
        if (::fstatat(dir, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            !before(st.st_ctim, olderThan) || openByAnyProcess(st.st_dev, st.st_ino))
            continue;
        ::unlinkat(dir, n.c_str(), 0);
    }
}

struct timespec processStartTime() {
    // The 22nd field of /proc/self/stat: clock ticks from boot to the start.
    std::ifstream in("/proc/self/stat");
    std::string line;
    std::getline(in, line);
    const std::size_t comm = line.rfind(')');
    if (comm == std::string::npos) return loadedAt;
    std::istringstream fields(line.substr(comm + 1));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const long hz = ::sysconf(_SC_CLK_TCK);
    struct timespec boot {}, real {};
    if (!fields || hz <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &boot) != 0 ||
        ::clock_gettime(CLOCK_REALTIME, &real) != 0)
        return loadedAt;
    char* end = nullptr;
    const long double ticks = std::strtold(field.c_str(), &end);
    if (end == field.c_str()) return loadedAt;
    const long double sinceStart =
        (boot.tv_sec + boot.tv_nsec / 1e9L) - ticks / hz;  // seconds the process has run
    const long double startedAt = (real.tv_sec + real.tv_nsec / 1e9L) - sinceStart;
    struct timespec start {};
    start.tv_sec = std::time_t(startedAt);
    start.tv_nsec = long((startedAt - (long double)start.tv_sec) * 1e9L);
    return start;
}
