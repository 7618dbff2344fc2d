// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/IniFileIo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <tuple>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "util/PathText.h"
#include "util/SyscallSeam.h"
#include "util/UniqueFd.h"
#include "util/WriterTemporaries.h"

namespace {

using Fd = UniqueFd;

constexpr off_t kWritebackStep = off_t(8) << 20;
constexpr int kMaxLinks = 40;   // as the kernel follows them
constexpr int kEditTries = 5;   // against another program that keeps writing

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

// The file a write to path replaces: the end of path's chain of symlinks,
// which need not exist yet (a dotfile kept elsewhere keeps its link); empty
// for a chain without end.
std::string replacedFile(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target);
        if (n <= 0 || std::size_t(n) == sizeof target) return {};
        const std::string text(target, std::size_t(n));
        const std::string folder = folderPart(current);
        current = text[0] == '/' || folder.empty() ? text : joinPath(folder, text);
    }
    return {};
}

// Removes what a crash left of our temporaries in folder, once per folder
// and process (a folder made anew in place of a removed one counts as
// another: its birth time tells).
void removeLeftovers(int folder, const std::string& target) {
    static std::mutex mutex;
    static std::set<std::tuple<dev_t, ino_t, long long, long>> cleaned;
    struct stat st {};
    if (::fstat(folder, &st) != 0) return;
    struct statx sx {};
    if (::statx(folder, "", AT_EMPTY_PATH, STATX_BTIME, &sx) != 0 || !(sx.stx_mask & STATX_BTIME))
        sx.stx_btime = {};
    {
        std::lock_guard lock(mutex);
        if (!cleaned.emplace(st.st_dev, st.st_ino, sx.stx_btime.tv_sec, long(sx.stx_btime.tv_nsec)).second)
            return;
    }
    removeStaleWriterTemporaries(folder, target, processStartTime());
}

// Creates a new temporary file in the open folder; returns its descriptor
// and name.
int createTemporary(int folder, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = writerTemporaryName();
        const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

enum class Replaced { Done, Failed, Changed };

// Writes what produce makes to a temporary file next to target, flushes it
// and renames it over target, then flushes the folder. stillCurrent, when
// given, is asked right before the rename; false leaves target as it is.
Replaced replace(const std::string& target, const std::function<bool(const ByteSink&)>& produce,
                 const std::function<bool()>& stillCurrent) {
    const std::string folderPath = folderPart(target);
    const std::string name = fileNamePart(target);
    if (name.empty()) return Replaced::Failed;
    if (!folderPath.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folderPath, ec);
        if (ec) return Replaced::Failed;
    }
    const Fd folder(::open(folderPath.empty() ? "." : folderPath.c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) return Replaced::Failed;
    removeLeftovers(folder.get(), name);
    std::string temporary;
    Fd fd(createTemporary(folder.get(), temporary));
    if (fd.get() < 0) return Replaced::Failed;
    struct stat old {};
    const bool replacing = ::fstatat(folder.get(), name.c_str(), &old, 0) == 0;
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
    const bool closed = fd.close();
    const bool current = !written || !closed || !stillCurrent || stillCurrent();
    if (!written || !closed || !current ||
        ::renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0) {
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        return current ? Replaced::Failed : Replaced::Changed;
    }
    syscalls::fsync(folder.get());
    return Replaced::Done;
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
    return !target.empty() && replace(target, produce, {}) == Replaced::Done;
}

bool editFileAtomically(const std::string& path,
                        const std::function<std::optional<std::string>(const std::string&)>& edit) {
    const std::string target = replacedFile(path);
    if (target.empty()) return false;
    for (int attempt = 0; attempt < kEditTries; ++attempt) {
        std::string before;
        const FileReadResult read = readWholeFile(target, before);
        if (read != FileReadResult::Read && read != FileReadResult::Missing) return false;
        const auto unchanged = [&] {
            std::string now;
            return readWholeFile(target, now) == read && now == before;
        };
        const std::optional<std::string> after = edit(before);
        if (!after && target == path) {  // removed; a link keeps its target, emptied
            if (!unchanged()) continue;
            return ::unlink(target.c_str()) == 0 || errno == ENOENT;
        }
        const std::string& bytes = after ? *after : std::string();
        const Replaced done =
            replace(target, [&bytes](const ByteSink& sink) { return sink(bytes); }, unchanged);
        if (done != Replaced::Changed) return done == Replaced::Done;
    }
    return false;
}
