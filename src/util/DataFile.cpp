#include "util/DataFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Rows separated by CRLF, lone CR or lone LF.
void splitRows(const char* p, const char* end, std::vector<std::string>& rows) {
    auto find = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, std::size_t(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    // The next LF and the next CR at or after p; each is searched again only
    // once p has passed it, so lines of one kind never rescan the other.
    const char* lf = find(p, '\n');
    const char* cr = find(p, '\r');
    while (p < end) {
        if (lf < p) lf = find(p, '\n');
        if (cr < p) cr = find(p, '\r');
        if (lf < cr) {
            rows.emplace_back(p, lf);
            p = lf + 1;
        } else if (cr == end) {
            rows.emplace_back(p, end);
            break;
        } else {
            rows.emplace_back(p, cr);
            p = cr + 1;
            if (p == lf) ++p;  // CRLF
        }
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
    if (const void* nul = std::memchr(begin, '\0', text.size()))
        end = static_cast<const char*>(nul);
    std::vector<std::string> rows;
    rows.reserve(countLineFeeds(begin, end) + 1);
    splitRows(begin, end, rows);
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
