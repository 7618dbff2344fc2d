#include "engine/HiddenNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::set<std::string>> readAt(int folderFd, const char* file) {
    std::set<std::string> names;
    const int fd = ::openat(folderFd, file, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return names;
        return std::nullopt;
    }
    struct stat st {};
    std::string text;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char buffer[8192];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) text.append(buffer, std::size_t(n));
        else if (n == 0) break;
        else if (errno != EINTR) ok = false;
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.insert(line);
    }
    return names;
}

}  // namespace

std::optional<std::set<std::string>> readHiddenFile(const std::string& file) {
    return readAt(AT_FDCWD, file.c_str());
}

std::optional<std::set<std::string>> readHiddenFileAt(int folderFd) {
    return readAt(folderFd, ".hidden");
}
