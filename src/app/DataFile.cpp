#include "app/DataFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Rows separated by LF only: memchr does the scanning.
void splitAtLineFeeds(const char* p, const char* end, std::vector<std::string>& rows) {
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        const char* stop = lf ? lf : end;
        rows.emplace_back(p, stop);
        p = lf ? lf + 1 : end;
    }
}

void splitAtAnyBreak(const char* p, const char* end, std::vector<std::string>& rows) {
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n') ++q;
        rows.emplace_back(p, q);
        if (q < end && *q == '\r') {
            ++q;
            if (q < end && *q == '\n') ++q;
        } else if (q < end) {
            ++q;  // a lone LF
        }
        p = q;
    }
}

std::size_t countLineFeeds(const char* p, const char* end) {
    std::size_t n = 0;
    while ((p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p))))) {
        ++n;
        ++p;
    }
    return n;
}

}  // namespace

std::vector<std::string> parseDataFileText(std::string_view text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (const void* nul = std::memchr(begin, '\0', text.size())) end = static_cast<const char*>(nul);
    std::vector<std::string> rows;
    rows.reserve(countLineFeeds(begin, end) + 1);
    if (std::memchr(begin, '\r', std::size_t(end - begin)))
        splitAtAnyBreak(begin, end, rows);
    else
        splitAtLineFeeds(begin, end, rows);
    return rows;
}

DataFileRead readDataFile(const std::string& path, std::vector<std::string>& rows,
                          std::size_t maxSize) {
    rows.clear();
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return DataFileRead::Unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return DataFileRead::Unreadable;
    }
    if (std::size_t(st.st_size) > maxSize) {
        ::close(fd);
        return DataFileRead::TooLarge;
    }
    std::string text;
    text.resize(std::size_t(st.st_size) + 1);  // one spare byte notices growth
    std::size_t filled = 0;
    for (;;) {
        if (filled == text.size()) {
            if (text.size() > maxSize) {
                ::close(fd);
                return DataFileRead::TooLarge;
            }
            text.resize(text.size() * 2);
        }
        const ssize_t n = ::read(fd, text.data() + filled, text.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return DataFileRead::Unreadable;
        }
        if (n == 0) break;
        filled += std::size_t(n);
    }
    ::close(fd);
    if (filled > maxSize) return DataFileRead::TooLarge;
    rows = parseDataFileText(std::string_view(text.data(), filled));
    return DataFileRead::Ok;
}
