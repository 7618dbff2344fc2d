#include "engine/PosixFileOps.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <unistd.h>

#include "engine/FileOpErrors.h"

namespace posixops {

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string childOf(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

namespace {

// Appends the entry names of dir (without "." and "..") and closes it;
// returns the errno of a failed read, 0 otherwise.
int readNamesAndClose(DIR* dir, std::vector<std::string>& names) {
    errno = 0;
    while (dirent* e = ::readdir(dir)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(n);
        errno = 0;
    }
    const int rc = errno;
    ::closedir(dir);
    return rc;
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::string randomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s(8, '0');
    for (char& c : s) c = digits[generator() % 36];
    return s;
}

// A temporary name in folder; hidden, so that file managers do not show it.
std::string temporaryName(const std::string& folder) {
    return childOf(folder, ".dorvan-" + randomSuffix() + ".part");
}

// Copies up to limit bytes with read and write; returns the bytes copied
// (0 at end of file) or -1.
ssize_t readWriteChunk(int in, int out, std::vector<char>& buffer, std::size_t limit) {
    if (buffer.empty()) buffer.resize(1 << 20);
    std::size_t total = 0;
    while (total < limit) {
        const std::size_t want = std::min(buffer.size(), limit - total);
        const ssize_t got = ::read(in, buffer.data(), want);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        std::size_t written = 0;
        while (written < std::size_t(got)) {
            const ssize_t w = ::write(out, buffer.data() + written, std::size_t(got) - written);
            if (w < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            written += std::size_t(w);
        }
        total += std::size_t(got);
        if (std::size_t(got) < want) break;
    }
    return ssize_t(total);
}

bool fallsBackToReadWrite(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EBADF || error == EPERM;
}

// Copies all data from in to out; returns 0 or an errno value.
int copyData(int in, int out, const struct stat& st, std::size_t chunkBytes,
             const ChunkCallback& onChunk, long long& copied) {
    std::vector<char> buffer;
    // A size of 0 may hide a pseudo file whose data only read() returns.
    bool useCopyRange = st.st_size > 0;
    copied = 0;
    for (;;) {
        if (st.st_size > 0 && copied >= st.st_size) break;
        ssize_t n;
        if (useCopyRange) {
            n = ::copy_file_range(in, nullptr, out, nullptr, chunkBytes, 0);
            if (n < 0 && errno == EINTR) continue;
            if ((n < 0 && copied == 0 && fallsBackToReadWrite(errno)) || (n == 0 && copied == 0)) {
                useCopyRange = false;
                continue;
            }
        } else {
            n = readWriteChunk(in, out, buffer, chunkBytes);
        }
        if (n < 0) return errno;
        if (n == 0) break;
        copied += n;
        if (onChunk && !onChunk(n)) return ECANCELED;
    }
    return 0;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

int removeTreeAt(int parentFd, const std::string& name, const std::string& path,
                 const RemoveCallbacks& cb, bool& stopped);

// Removes everything inside the open folder dirFd; true when it is empty now.
bool removeContents(int dirFd, const std::string& path, const RemoveCallbacks& cb, bool& stopped,
                    int& firstError) {
    auto failed = [&](int code) {
        firstError = code;
        if (cb.error && !cb.error(path, code)) stopped = true;
        return false;
    };
    const int listFd = ::dup(dirFd);
    if (listFd < 0) return failed(errno);
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        const int rc = errno;
        ::close(listFd);
        return failed(rc);
    }
    std::vector<std::string> names;
    if (const int readError = readNamesAndClose(dir, names)) return failed(readError);
    bool empty = true;
    for (const auto& n : names) {
        const int rc = removeTreeAt(dirFd, n, childOf(path, n), cb, stopped);
        if (rc) {
            empty = false;
            if (!firstError) firstError = rc;
        }
        if (stopped) return false;
    }
    return empty;
}

int removeTreeAt(int parentFd, const std::string& name, const std::string& path,
                 const RemoveCallbacks& cb, bool& stopped) {
    if (cb.entry && !cb.entry(path)) {
        stopped = true;
        return ECANCELED;
    }
    auto failed = [&](int code) {
        if (cb.error && !cb.error(path, code)) stopped = true;
        return code;
    };
    struct stat st {};
    if (::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return failed(errno);
    if (!S_ISDIR(st.st_mode)) {
        if (::unlinkat(parentFd, name.c_str(), 0) != 0) return failed(errno);
        return 0;
    }
    Fd dir(::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (dir.get() < 0) return failed(errno);
    int inner = 0;
    // Failures inside were reported where they happened.
    if (!removeContents(dir.get(), path, cb, stopped, inner)) return inner ? inner : ECANCELED;
    dir.reset();
    if (::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) != 0) return failed(errno);
    return 0;
}

}  // namespace

int lstatPath(const std::string& path, struct stat& st) {
    return ::lstat(path.c_str(), &st) == 0 ? 0 : errno;
}

int copyFile(const std::string& src, const struct stat& st, const std::string& dst, bool replace,
             std::size_t chunkBytes, const ChunkCallback& onChunk) {
    if (!S_ISREG(st.st_mode)) return fileop_error::SpecialFile;
    // O_NONBLOCK: should a FIFO have taken the file's place, opening it must
    // not wait for a writer; it is refused below without a read.
    Fd in(::open(src.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (in.get() < 0) return errno == ELOOP ? fileop_error::Changed : errno;
    struct stat opened {};
    if (::fstat(in.get(), &opened) != 0) return errno;
    if (!S_ISREG(opened.st_mode)) return fileop_error::SpecialFile;
    if (opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) return fileop_error::Changed;
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    const std::string folder = parentOf(dst);
    Fd out;
    std::string temp;  // empty while the copy is unnamed
    if (!replace) out.reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (out.get() < 0) {
        for (int attempt = 0; attempt < 100 && out.get() < 0; ++attempt) {
            temp = temporaryName(folder);
            out.reset(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
            if (out.get() < 0 && errno != EEXIST) return errno;
        }
        if (out.get() < 0) return EEXIST;
    }
    auto discard = [&](int code) {
        out.reset();
        if (!temp.empty()) ::unlink(temp.c_str());
        return code;
    };

    long long copied = 0;
    if (int rc = copyData(in.get(), out.get(), opened, chunkBytes, onChunk, copied)) return discard(rc);
    struct stat after {};
    if (::fstat(in.get(), &after) != 0) return discard(errno);
    const bool pseudo = opened.st_size == 0 && after.st_size == 0;
    if (!pseudo && (copied != opened.st_size || after.st_size != opened.st_size ||
                    !sameTime(after.st_mtim, opened.st_mtim)))
        return discard(fileop_error::Changed);
    struct stat written {};
    if (::fstat(out.get(), &written) != 0) return discard(errno);
    if (written.st_size != copied) return discard(EIO);
    // Permission bits and times are kept where the target file system takes
    // them; one that cannot (some network or FAT mounts) still gets the data.
    ::fchmod(out.get(), opened.st_mode & 07777);
    const timespec times[2] = {opened.st_atim, opened.st_mtim};
    ::futimens(out.get(), times);

    if (temp.empty()) {
        // Linking fails when dst exists, so nothing is ever replaced here.
        int rc = ::linkat(out.get(), "", AT_FDCWD, dst.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
        if (rc == EPERM || rc == ENOENT) {
            const std::string self = "/proc/self/fd/" + std::to_string(out.get());
            rc = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, dst.c_str(), AT_SYMLINK_FOLLOW) == 0
                     ? 0 : errno;
        }
        if (rc) return discard(rc);
        if (::close(out.release()) != 0) {
            rc = errno;
            ::unlink(dst.c_str());  // the name was made just now, for this copy
            return rc;
        }
        return 0;
    }
    if (::close(out.release()) != 0) return discard(errno);
    const int rc = replace ? renameReplace(temp, dst) : renameNoReplace(temp, dst);
    if (rc) ::unlink(temp.c_str());
    return rc;
}

int copyLink(const std::string& src, const struct stat& st, const std::string& dst, bool replace) {
    std::string target(std::size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
    const ssize_t n = ::readlink(src.c_str(), target.data(), target.size());
    if (n < 0) return errno;
    if (std::size_t(n) >= target.size()) return fileop_error::Changed;
    target.resize(std::size_t(n));
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (!replace) {
        if (::symlink(target.c_str(), dst.c_str()) != 0) return errno;
        ::utimensat(AT_FDCWD, dst.c_str(), times, AT_SYMLINK_NOFOLLOW);
        return 0;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = temporaryName(parentOf(dst));
        if (::symlink(target.c_str(), temp.c_str()) == 0) {
            ::utimensat(AT_FDCWD, temp.c_str(), times, AT_SYMLINK_NOFOLLOW);
            const int rc = renameReplace(temp, dst);
            if (rc) ::unlink(temp.c_str());
            return rc;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL) return errno;
    // The file system may not know RENAME_NOREPLACE (some network and FUSE
    // mounts): a hard link fails when the name is taken.
    struct stat st {};
    if (::lstat(from.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode) && ::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (!S_ISDIR(st.st_mode) && errno == EEXIST) return EEXIST;
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int renameReplace(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int makeFolders(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : fileop_error::NotAFolder;
    const std::string parent = parentOf(path);
    if (parent != path && parent != "." && parent != "/") {
        if (int rc = makeFolders(parent)) return rc;
    }
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return errno;
    return 0;
}

int makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 ? 0 : errno;
}

int copyFolderMetadata(const std::string& path, const struct stat& st) {
    if (::chmod(path.c_str(), st.st_mode & 07777) != 0) return errno;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    return 0;
}

int listNames(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return errno;
    return readNamesAndClose(dir, names);
}

int removeTree(const std::string& path, const RemoveCallbacks& callbacks) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return fileop_error::RootRefused;
    Fd parent(::open(parentOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.get() < 0) {
        const int rc = errno;
        if (callbacks.error) callbacks.error(path, rc);
        return rc;
    }
    bool stopped = false;
    const int rc = removeTreeAt(parent.get(), name, path, callbacks, stopped);
    return stopped ? ECANCELED : rc;
}

int removeEntry(const std::string& path, bool folder) {
    const int rc = folder ? ::rmdir(path.c_str()) : ::unlink(path.c_str());
    return rc == 0 ? 0 : errno;
}

int syncFileSystem(const std::string& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) return errno;
    return ::syncfs(fd.get()) == 0 ? 0 : errno;
}

bool isSameOrInside(const std::string& path, const std::string& folder) {
    char* p = ::realpath(path.c_str(), nullptr);
    char* f = ::realpath(folder.c_str(), nullptr);
    bool inside = false;
    if (p && f) {
        const std::string ps = p, fs = f;
        inside = ps == fs || fs == "/" || (ps.size() > fs.size() && ps.compare(0, fs.size(), fs) == 0 &&
                                            ps[fs.size()] == '/');
    }
    std::free(p);
    std::free(f);
    return inside;
}

}  // namespace posixops
