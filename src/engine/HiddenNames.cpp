#include "engine/HiddenNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::string> readAt(int folderFd, const char* file) {
    const int fd = ::openat(folderFd, file, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::string();
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
    return text;
}

std::optional<std::set<std::string>> namesOrNothing(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return namesOf(*text);
}

}  // namespace

std::optional<std::string> readHiddenText(const std::string& file) {
    return readAt(AT_FDCWD, file.c_str());
}

std::optional<std::string> readHiddenTextAt(int folderFd) { return readAt(folderFd, ".hidden"); }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string nameOfLine(std::string line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::set<std::string> namesOf(const std::string& text) {
    std::set<std::string> names;
    for (const auto& line : linesOf(text)) {
        std::string n = nameOfLine(line);
        if (!n.empty()) names.insert(std::move(n));
    }
    return names;
}

std::optional<std::set<std::string>> readHiddenFile(const std::string& file) {
    return namesOrNothing(readHiddenText(file));
}

std::optional<std::set<std::string>> readHiddenFileAt(int folderFd) {
    return namesOrNothing(readHiddenTextAt(folderFd));
}
