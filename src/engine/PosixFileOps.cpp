#include "engine/PosixFileOps.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "engine/FileOpErrors.h"
#include "util/SyscallSeam.h"

namespace posixops {

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string childOf(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

namespace {

using Fd = DirFd;

const std::time_t startedAt = std::time(nullptr);

// Appends the names in the folder open at dir (without "." and "..") that
// keep accepts, read through a descriptor of its own; returns the errno of a
// failure, 0 otherwise.
template <class Keep>
int readNamesAt(int dir, std::vector<std::string>& names, Keep keep) {
    const int listFd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return errno;
    DIR* d = ::fdopendir(listFd);
    if (!d) {
        const int rc = errno;
        ::close(listFd);
        return rc;
    }
    errno = 0;
    while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != ".." && keep(*e, n)) names.push_back(std::move(n));
        errno = 0;
    }
    const int rc = errno;
    ::closedir(d);
    return rc;
}

std::string randomSuffix(std::size_t length) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string s(length, '0');
    for (char& c : s) c = digits[generator() % 36];
    return s;
}

constexpr char TempPrefix[] = ".dorvanquellis-";
constexpr char TempSuffix[] = ".part";
constexpr std::size_t TempRandom = 12;

// A fresh temporary name; hidden, so that file managers do not show it.
std::string temporaryName() { return TempPrefix + randomSuffix(TempRandom) + TempSuffix; }

// Creates and opens a new temporary file in dir; its name goes to temp.
int createTemporary(int dir, Fd& out, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = temporaryName();
        out.reset(::openat(dir, temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (out.get() >= 0) return 0;
        if (errno != EEXIST) return errno;
    }
    temp.clear();
    return EEXIST;
}

bool fallsBackToReadWrite(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EBADF || error == EPERM;
}

// Copies the bytes [offset, offset + length) of in to the same place in out,
// in chunks, with copy_file_range where it works and read/write otherwise;
// length < 0: up to the end of in (a pseudo file may report size 0).
class RangeCopier {
public:
    RangeCopier(int in, int out, const CopyOptions& options, bool tryCopyRange)
        : in_(in), out_(out), options_(options), copyRange_(tryCopyRange) {}

    int copy(off_t offset, long long length, long long& copied) {
        while (length < 0 || copied < length) {
            std::size_t want = options_.chunkBytes;
            if (length >= 0) want = std::size_t(std::min<long long>(length - copied, (long long)want));
            loff_t inOff = offset + copied, outOff = inOff;
            ssize_t n;
            if (copyRange_) {
                n = syscalls::copyFileRange(in_, &inOff, out_, &outOff, want, 0);
                if (n < 0 && errno == EINTR) continue;
                if ((n < 0 && !usedRange_ && fallsBackToReadWrite(errno)) || (n == 0 && !usedRange_)) {
                    copyRange_ = false;
                    continue;
                }
                if (n > 0) usedRange_ = true;
            } else {
                n = readWrite(offset + copied, want);
            }
            if (n < 0) return errno;
            if (n == 0) break;
            copied += n;
            if (options_.onChunk && !options_.onChunk(n)) return ECANCELED;
        }
        return 0;
    }

private:
    ssize_t readWrite(off_t at, std::size_t limit) {
        if (buffer_.empty()) buffer_.resize(1 << 20);
        std::size_t total = 0;
        while (total < limit) {
            const std::size_t want = std::min(buffer_.size(), limit - total);
            const ssize_t got = ::pread(in_, buffer_.data(), want, at + off_t(total));
            if (got < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            if (got == 0) break;
            std::size_t written = 0;
            while (written < std::size_t(got)) {
                const ssize_t w = ::pwrite(out_, buffer_.data() + written, std::size_t(got) - written,
                                           at + off_t(total + written));
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

    int in_, out_;
    const CopyOptions& options_;
    bool copyRange_;
    bool usedRange_ = false;
    std::vector<char> buffer_;
};

// Copies all data of in (st: its fstat) to the empty file out. A file with
// fewer blocks than its size has holes: only its data extents are copied
// and the holes stay holes. copied counts data and holes.
int copyData(int in, int out, const struct stat& st, const CopyOptions& options, long long& copied) {
    copied = 0;
    // A size of 0 may hide a pseudo file whose data only read() returns.
    RangeCopier copier(in, out, options, st.st_size > 0);
    if (st.st_size == 0) return copier.copy(0, -1, copied);
    const bool sparse = (long long)st.st_blocks * 512 < (long long)st.st_size;
    if (!sparse) return copier.copy(0, st.st_size, copied);
    off_t pos = 0;
    while (pos < st.st_size) {
        off_t data = ::lseek(in, pos, SEEK_DATA);
        if (data < 0) {
            if (errno != ENXIO) return errno;
            data = st.st_size;  // only a hole is left
        }
        off_t hole = data < st.st_size ? ::lseek(in, data, SEEK_HOLE) : st.st_size;
        if (hole < 0) return errno;
        hole = std::min<off_t>(hole, st.st_size);
        if (data > pos) {
            copied += data - pos;
            if (options.onChunk && !options.onChunk(data - pos)) return ECANCELED;
        }
        if (hole > data) {
            long long part = 0;
            if (int rc = copier.copy(data, hole - data, part)) return rc;
            copied += part;
            if (part < hole - data) return 0;  // the file became shorter: checked later
        }
        pos = hole;
    }
    if (::ftruncate(out, st.st_size) != 0) return errno;
    return 0;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool sameState(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           sameTime(a.st_mtim, b.st_mtim) && sameTime(a.st_ctim, b.st_ctim);
}

int flush(int fd) { return syscalls::fsync(fd) == 0 ? 0 : errno; }

// Links the unnamed file fd into dir as name, through its descriptor or,
// where that needs a privilege, through /proc.
int linkUnnamed(int fd, int dir, const std::string& name) {
    if (syscalls::linkat(fd, "", dir, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    int rc = errno;
    if (rc == EPERM || rc == ENOENT || rc == EINVAL || rc == EOPNOTSUPP) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        rc = syscalls::linkat(AT_FDCWD, self.c_str(), dir, name.c_str(), AT_SYMLINK_FOLLOW) == 0
                 ? 0 : errno;
    }
    return rc;
}

bool unnamedRefused(int rc) {
    return rc == EPERM || rc == ENOENT || rc == EINVAL || rc == EOPNOTSUPP || rc == ENOSYS ||
           rc == EACCES;
}

// Gives the written file out the source's bits and times. A target file
// system that cannot keep them (some network or FAT mounts) still gets the
// data.
void copyFileMetadata(int out, const struct stat& st) {
    ::fchmod(out, st.st_mode & 07777);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
}

int removeTreeAt(int parentFd, const struct stat& parent, const std::string& name,
                 const std::string& path, const RemoveCallbacks& cb, bool& stopped);

// Removes everything inside the open folder dirFd; true when it is empty now.
bool removeContents(int dirFd, const struct stat& self, const std::string& path,
                    const RemoveCallbacks& cb, bool& stopped, int& firstError) {
    auto failed = [&](int code) {
        firstError = code;
        if (cb.error && !cb.error(path, code)) stopped = true;
        return false;
    };
    std::vector<std::string> names;
    if (const int rc = listNamesAt(dirFd, names)) return failed(rc);
    bool empty = true;
    for (const auto& n : names) {
        const int rc = removeTreeAt(dirFd, self, n, childOf(path, n), cb, stopped);
        if (rc) {
            empty = false;
            if (!firstError) firstError = rc;
        }
        if (stopped) return false;
    }
    return empty;
}

int removeTreeAt(int parentFd, const struct stat& parent, const std::string& name,
                 const std::string& path, const RemoveCallbacks& cb, bool& stopped) {
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
    // Another file system mounted here is a drive root: never entered.
    if (isMountedFolderAt(parentFd, parent, name, st)) return failed(fileop_error::MountPoint);
    if (path.size() >= PATH_MAX) return failed(ENAMETOOLONG);
    Fd dir;
    struct stat opened {};
    if (int rc = reopenSubfolder(parentFd, name, st, dir, opened)) return failed(rc);
    int inner = 0;
    // Failures inside were reported where they happened.
    if (!removeContents(dir.get(), opened, path, cb, stopped, inner)) return inner ? inner : ECANCELED;
    dir.reset();
    if (::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR) != 0) return failed(errno);
    return 0;
}

// The mount points of this process's mount table (/proc/self/mountinfo, its
// fifth field, with the octal escapes of blanks decoded).
std::vector<std::string> mountPoints() {
    std::vector<std::string> points;
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5 && fields >> field; ++i) {
        }
        std::string point;
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (field[i] == '\\' && i + 3 < field.size() &&
                std::all_of(field.begin() + long(i) + 1, field.begin() + long(i) + 4,
                            [](char c) { return c >= '0' && c <= '7'; })) {
                point += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
                i += 3;
            } else {
                point += field[i];
            }
        }
        if (!point.empty()) points.push_back(point);
    }
    return points;
}

// Some process has the file (dev, ino) open.
bool openByAnyProcess(dev_t dev, ino_t ino) {
    DIR* proc = ::opendir("/proc");
    if (!proc) return true;  // cannot tell: keep it
    bool found = false;
    while (dirent* p = ::readdir(proc)) {
        if (p->d_name[0] < '0' || p->d_name[0] > '9') continue;
        const std::string fds = std::string("/proc/") + p->d_name + "/fd";
        DIR* d = ::opendir(fds.c_str());
        if (!d) continue;
        while (dirent* f = ::readdir(d)) {
            struct stat st {};
            if (f->d_name[0] != '.' && ::fstatat(::dirfd(d), f->d_name, &st, 0) == 0 &&
                st.st_dev == dev && st.st_ino == ino) {
                found = true;
                break;
            }
        }
        ::closedir(d);
        if (found) break;
    }
    ::closedir(proc);
    return found;
}

bool hasShape(const std::string& name, const std::string& prefix, std::size_t random,
              const std::string& suffix) {
    if (name.size() != prefix.size() + random + suffix.size()) return false;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    return std::all_of(name.begin() + long(prefix.size()), name.end() - long(suffix.size()),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

}  // namespace

int lstatPath(const std::string& path, struct stat& st) {
    return ::lstat(path.c_str(), &st) == 0 ? 0 : errno;
}

int openFolder(const std::string& path, DirFd& out) {
    out.reset(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return out.get() >= 0 ? 0 : errno;
}

int openSubfolder(int dir, const std::string& name, DirFd& out) {
    out.reset(::openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (out.get() >= 0) return 0;
    return errno == ELOOP || errno == ENOTDIR ? fileop_error::Changed : errno;
}

int statAt(int dir, const std::string& name, struct stat& st) {
    return ::fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int listNamesAt(int dir, std::vector<std::string>& names) {
    return readNamesAt(dir, names, [](const dirent&, const std::string&) { return true; });
}

int listSubfolderNamesAt(int dir, std::vector<std::string>& names) {
    return readNamesAt(dir, names, [dir](const dirent& e, const std::string& n) {
        struct stat st {};
        return e.d_type == DT_DIR ||
               (e.d_type == DT_UNKNOWN && statAt(dir, n, st) == 0 && S_ISDIR(st.st_mode));
    });
}

bool isMountedFolderAt(int dir, const struct stat& dirSt, const std::string& name,
                       const struct stat& st) {
    return st.st_dev != dirSt.st_dev || isMountRootAt(dir, name);
}

int reopenSubfolder(int dir, const std::string& name, const struct stat& st, DirFd& out,
                    struct stat& opened) {
    if (int rc = openSubfolder(dir, name, out)) return rc;
    if (::fstat(out.get(), &opened) != 0) return errno;
    if (opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
        out.reset();
        return fileop_error::Changed;
    }
    return 0;
}

bool isMountRootAt(int dir, const std::string& name) {
    struct statx sx {};
    if (::statx(dir, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &sx) != 0) return false;
    if (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    struct stat parent {};
    return ::fstat(dir, &parent) == 0 &&
           (makedev(sx.stx_dev_major, sx.stx_dev_minor) != parent.st_dev);
}

bool isMountPoint(const std::string& path) {
    const std::string name = nameOf(path);
    if (name.empty() || name == "." || name == "..") return true;
    Fd parent;
    if (openFolder(parentOf(path), parent)) return false;
    return isMountRootAt(parent.get(), name);
}

bool holdsMountPoint(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return false;
    const std::string folder = real;
    std::free(real);
    for (const auto& m : mountPoints()) {
        if (m == folder || folder == "/" ||
            (m.size() > folder.size() && m.compare(0, folder.size(), folder) == 0 && m[folder.size()] == '/'))
            return true;
    }
    return false;
}

int copyFile(int srcDir, const std::string& name, const struct stat& st, int dstDir,
             const std::string& dstName, bool replace, const CopyOptions& options,
             struct stat* checked) {
    if (!S_ISREG(st.st_mode)) return fileop_error::SpecialFile;
    // O_NONBLOCK: should a FIFO have taken the file's place, opening it must
    // not wait for a writer; it is refused below without a read.
    Fd in(::openat(srcDir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (in.get() < 0) return errno == ELOOP ? fileop_error::Changed : errno;
    struct stat opened {};
    if (::fstat(in.get(), &opened) != 0) return errno;
    if (!S_ISREG(opened.st_mode)) return fileop_error::SpecialFile;
    if (opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) return fileop_error::Changed;
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    Fd out;
    std::string temp;  // empty while the copy is unnamed
    const bool named = replace || (options.unnamedRefused && *options.unnamedRefused);
    if (!named) out.reset(::openat(dstDir, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (out.get() < 0) {
        if (int rc = createTemporary(dstDir, out, temp)) return rc;
    }
    auto discard = [&](int code) {
        out.reset();
        if (!temp.empty()) ::unlinkat(dstDir, temp.c_str(), 0);
        return code;
    };

    long long copied = 0;
    if (int rc = copyData(in.get(), out.get(), opened, options, copied)) return discard(rc);
    struct stat after {};
    if (::fstat(in.get(), &after) != 0) return discard(errno);
    const bool pseudo = opened.st_size == 0 && after.st_size == 0;
    if (!pseudo && (copied != opened.st_size || !sameState(after, opened)))
        return discard(fileop_error::Changed);
    struct stat written {};
    if (::fstat(out.get(), &written) != 0) return discard(errno);
    if (written.st_size != copied) return discard(EIO);
    copyFileMetadata(out.get(), opened);
    if (checked) *checked = after;

    if (temp.empty()) {
        // Linking fails when the target exists, so nothing is replaced here.
        int rc = linkUnnamed(out.get(), dstDir, dstName);
        if (rc && unnamedRefused(rc)) {
            // Neither way of linking works here: write a named copy of the
            // unnamed one, as for replacing.
            if (options.unnamedRefused) *options.unnamedRefused = true;
            Fd unnamed(out.release());
            if ((rc = createTemporary(dstDir, out, temp))) return rc;
            struct stat whole = written;
            whole.st_size = copied;
            CopyOptions quiet;
            quiet.chunkBytes = options.chunkBytes;
            long long again = 0;
            if ((rc = copyData(unnamed.get(), out.get(), whole, quiet, again))) return discard(rc);
            if (again != copied) return discard(EIO);
            copyFileMetadata(out.get(), opened);
        } else {
            if (rc) return discard(rc);
            if (::close(out.release()) != 0) {
                rc = errno;
                ::unlinkat(dstDir, dstName.c_str(), 0);  // the name was made just now, for this copy
                return rc;
            }
            return 0;
        }
    }
    // A replaced file is gone for good once the rename is on the disk: the
    // new data must be there first, whatever the file system's ordering.
    if (replace) {
        if (int rc = flush(out.get())) return discard(rc);
    }
    if (::close(out.release()) != 0) return discard(errno);
    const int rc = replace ? renameReplaceAt(dstDir, temp, dstDir, dstName)
                           : renameNoReplaceAt(dstDir, temp, dstDir, dstName);
    if (rc) return discard(rc);
    if (replace) return flush(dstDir);
    return 0;
}

int copyLink(int srcDir, const std::string& name, const struct stat& st, int dstDir,
             const std::string& dstName, bool replace) {
    std::string target(std::size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
    const ssize_t n = ::readlinkat(srcDir, name.c_str(), target.data(), target.size());
    if (n < 0) return errno == EINVAL ? fileop_error::Changed : errno;
    if (std::size_t(n) >= target.size()) return fileop_error::Changed;
    target.resize(std::size_t(n));
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (!replace) {
        if (::symlinkat(target.c_str(), dstDir, dstName.c_str()) != 0) return errno;
        ::utimensat(dstDir, dstName.c_str(), times, AT_SYMLINK_NOFOLLOW);
        return 0;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = temporaryName();
        if (::symlinkat(target.c_str(), dstDir, temp.c_str()) == 0) {
            ::utimensat(dstDir, temp.c_str(), times, AT_SYMLINK_NOFOLLOW);
            const int rc = renameReplaceAt(dstDir, temp, dstDir, dstName);
            if (rc) {
                ::unlinkat(dstDir, temp.c_str(), 0);
                return rc;
            }
            return flush(dstDir);
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int renameNoReplaceAt(int fromDir, const std::string& from, int toDir, const std::string& to) {
    if (::renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // The file system may not know RENAME_NOREPLACE (some network and FUSE
    // mounts): a hard link fails when the name is taken.
    struct stat st {};
    if (::fstatat(fromDir, from.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    if (!S_ISDIR(st.st_mode) && ::linkat(fromDir, from.c_str(), toDir, to.c_str(), 0) == 0) {
        ::unlinkat(fromDir, from.c_str(), 0);
        return 0;
    }
    if (!S_ISDIR(st.st_mode) && errno == EEXIST) return EEXIST;
    struct stat existing {};
    if (::fstatat(toDir, to.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
    return ::renameat(fromDir, from.c_str(), toDir, to.c_str()) == 0 ? 0 : errno;
}

int renameNoReplace(const std::string& from, const std::string& to) {
    return renameNoReplaceAt(AT_FDCWD, from, AT_FDCWD, to);
}

int renameReplaceAt(int fromDir, const std::string& from, int toDir, const std::string& to) {
    return ::renameat(fromDir, from.c_str(), toDir, to.c_str()) == 0 ? 0 : errno;
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

int makeFolderAt(int dir, const std::string& name) {
    return ::mkdirat(dir, name.c_str(), 0700) == 0 ? 0 : errno;
}

int copyFolderMetadata(int folder, const struct stat& st) {
    if (::fchmod(folder, st.st_mode & 07777) != 0) return errno;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(folder, times) != 0) return errno;
    return 0;
}

int removableFrom(int dir) {
    struct statvfs vfs {};
    if (::fstatvfs(dir, &vfs) == 0 && (vfs.f_flag & ST_RDONLY)) return EROFS;
    if (::faccessat(dir, ".", W_OK | X_OK, AT_EACCESS) == 0) return 0;
    // Whatever else the question meets is left to the removal itself.
    return errno == EACCES || errno == EROFS ? errno : 0;
}

int flushFileAt(int dir, const std::string& name) {
    Fd file(::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return errno == ELOOP ? fileop_error::Changed : errno;
    struct stat st {};
    if (::fstat(file.get(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode)) return fileop_error::Changed;
    return flush(file.get());
}

int flushFolder(int folder) { return flush(folder); }

int syncFileSystem(int fd) { return syscalls::syncfs(fd) == 0 ? 0 : errno; }

int removeIfUnchanged(const CheckedEntry& entry, RemovalFolder* kept) {
    RemovalFolder local;
    RemovalFolder& open = kept ? *kept : local;
    const bool reuse = open.fd.get() >= 0 && open.path == entry.folder &&
                       open.st.st_dev == entry.folderDev && open.st.st_ino == entry.folderIno;
    if (!reuse) {
        open.fd.reset();
        open.path = entry.folder;
        if (int rc = openFolder(entry.folder, open.fd)) return rc == ENOENT ? fileop_error::Changed : rc;
        if (::fstat(open.fd.get(), &open.st) != 0) {
            open.fd.reset();
            return errno;
        }
    }
    const int folder = open.fd.get();
    if (open.st.st_dev != entry.folderDev || open.st.st_ino != entry.folderIno) return fileop_error::Changed;
    struct stat now {};
    if (::fstatat(folder, entry.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? fileop_error::Changed : errno;
    if (entry.isFolder) {
        if (!S_ISDIR(now.st_mode) || now.st_dev != entry.state.st_dev || now.st_ino != entry.state.st_ino)
            return fileop_error::Changed;
        return ::unlinkat(folder, entry.name.c_str(), AT_REMOVEDIR) == 0 ? 0 : errno;
    }
    if (!sameState(now, entry.state)) return fileop_error::Changed;
    return ::unlinkat(folder, entry.name.c_str(), 0) == 0 ? 0 : errno;
}

int removeTree(const std::string& path, const RemoveCallbacks& callbacks) {
    const std::string name = nameOf(path);
    if (name.empty() || name == "." || name == "..") return fileop_error::RootRefused;
    Fd parent;
    struct stat parentSt {};
    int rc = openFolder(parentOf(path), parent);
    if (!rc && ::fstat(parent.get(), &parentSt) != 0) rc = errno;
    if (rc) {
        if (callbacks.error) callbacks.error(path, rc);
        return rc;
    }
    bool stopped = false;
    rc = removeTreeAt(parent.get(), parentSt, name, path, callbacks, stopped);
    return stopped ? ECANCELED : rc;
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

bool isOurTemporaryName(const std::string& name) {
    return hasShape(name, TempPrefix, TempRandom, TempSuffix) ||
           hasShape(name, ".dorvan-", 8, TempSuffix);  // earlier versions
}

void removeStaleTemporaries(int dir, std::time_t olderThan) {
    std::vector<std::string> names;
    if (listNamesAt(dir, names)) return;
    for (const auto& n : names) {
        if (!isOurTemporaryName(n)) continue;
        struct stat st {};
        if (::fstatat(dir, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) || st.st_ctim.tv_sec >= olderThan) continue;
        if (S_ISREG(st.st_mode) && openByAnyProcess(st.st_dev, st.st_ino)) continue;
        ::unlinkat(dir, n.c_str(), 0);
    }
}

std::time_t processStartTime() { return startedAt; }

}  // namespace posixops
