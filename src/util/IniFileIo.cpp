#include "util/IniFileIo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "util/PathText.h"
#include "util/SyscallSeam.h"
#include "util/UniqueFd.h"

namespace {

using Fd = UniqueFd;

constexpr off_t kWritebackStep = off_t(8) << 20;

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= std::size_t(n);
    }
    return true;
}

// The file that a write to path replaces: the target of a symlink, else path.
std::string replacedFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Creates a new file next to target; returns its descriptor and name.
int createTemporary(const std::string& target, std::string& name) {
    static std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(random() % 1000000);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void syncFolder(const std::string& folder) {
    const Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) syscalls::fsync(fd.get());
}

}  // namespace

FileReadResult readWholeFileAt(int dirFd, const char* name, std::string& bytes, std::size_t maxSize) {
    bytes.clear();
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is refused below.
    Fd fd(::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileReadResult::Missing : FileReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return FileReadResult::Failed;
    if (std::size_t(st.st_size) > maxSize) return FileReadResult::TooLarge;
    bytes.resize(std::size_t(st.st_size) + 1);  // one spare byte notices growth
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxSize) {
                bytes.clear();
                return FileReadResult::TooLarge;
            }
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            bytes.clear();
            return FileReadResult::Failed;
        }
        if (n == 0) break;
        filled += std::size_t(n);
    }
    bytes.resize(filled);
    if (filled > maxSize) {
        bytes.clear();
        return FileReadResult::TooLarge;
    }
    return FileReadResult::Read;
}

FileReadResult readWholeFile(const std::string& path, std::string& bytes, std::size_t maxSize) {
    return readWholeFileAt(AT_FDCWD, path.c_str(), bytes, maxSize);
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    return writeFileAtomically(path, [&bytes](const ByteSink& sink) { return sink(bytes); });
}

bool writeFileAtomically(const std::string& path, const std::function<bool(const ByteSink&)>& produce) {
    const std::string target = replacedFile(path);
    const std::string folder = folderPart(target);
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) return false;
    }
    std::string temporary;
    Fd fd(createTemporary(target, temporary));
    if (fd.get() < 0) return false;
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    off_t offered = 0, started = 0;
    const ByteSink sink = [&](std::string_view piece) {
        if (!writeAll(fd.get(), piece)) return false;
        offered += off_t(piece.size());
        if (offered - started >= kWritebackStep) {
            ::sync_file_range(fd.get(), started, offered - started, SYNC_FILE_RANGE_WRITE);
            started = offered;
        }
        return true;
    };
    const bool written = (!replacing || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                         produce(sink) && syscalls::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder.empty() ? "." : folder);
    return true;
}
