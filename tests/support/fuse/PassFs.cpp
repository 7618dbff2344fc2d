// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A FUSE pass-through of one folder, for the engine's file-system matrix:
//
//   dorvan_test_passfs [--no-links] FOLDER MOUNTPOINT [FUSE options]
//
// Like many network and FUSE mounts it knows no RENAME_NOREPLACE (nor any
// rename flag), no O_TMPFILE, and gives inode numbers of its own (no
// use_ino); with --no-links it refuses hard links too, as sshfs without
// hard links does. Runs in the foreground until unmounted or signalled.
#define FUSE_USE_VERSION 35
#include <fuse3/fuse.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {

int base = -1;  // the folder passed through
bool linksRefused = false;

// FUSE paths begin with "/": relative to base ("." for the root).
const char* rel(const char* path) { return path[1] ? path + 1 : "."; }

int result(int rc) { return rc < 0 ? -errno : rc; }

int pass_getattr(const char* path, struct stat* st, fuse_file_info* fi) {
    if (fi) return result(::fstat(int(fi->fh), st));
    return result(::fstatat(base, rel(path), st, AT_SYMLINK_NOFOLLOW));
}

int pass_readlink(const char* path, char* buffer, size_t size) {
    const ssize_t n = ::readlinkat(base, rel(path), buffer, size - 1);
    if (n < 0) return -errno;
    buffer[n] = '\0';
    return 0;
}

int pass_readdir(const char* path, void* out, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags) {
    const int fd = ::openat(base, rel(path), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -errno;
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return -errno;
    }
    while (dirent* e = ::readdir(d)) fill(out, e->d_name, nullptr, 0, fuse_fill_dir_flags(0));
    ::closedir(d);
    return 0;
}

int pass_mkdir(const char* path, mode_t mode) { return result(::mkdirat(base, rel(path), mode)); }
int pass_unlink(const char* path) { return result(::unlinkat(base, rel(path), 0)); }
int pass_rmdir(const char* path) { return result(::unlinkat(base, rel(path), AT_REMOVEDIR)); }
int pass_symlink(const char* target, const char* path) { return result(::symlinkat(target, base, rel(path))); }

int pass_rename(const char* from, const char* to, unsigned flags) {
    if (flags) return -EINVAL;
    return result(::renameat(base, rel(from), base, rel(to)));
}

int pass_link(const char* from, const char* to) {
    if (linksRefused) return -EPERM;
    return result(::linkat(base, rel(from), base, rel(to), 0));
}

int pass_chmod(const char* path, mode_t mode, fuse_file_info* fi) {
    if (fi) return result(::fchmod(int(fi->fh), mode));
    return result(::fchmodat(base, rel(path), mode, 0));
}

int pass_chown(const char* path, uid_t uid, gid_t gid, fuse_file_info* fi) {
    if (fi) return result(::fchown(int(fi->fh), uid, gid));
    return result(::fchownat(base, rel(path), uid, gid, AT_SYMLINK_NOFOLLOW));
}

int pass_truncate(const char* path, off_t size, fuse_file_info* fi) {
    if (fi) return result(::ftruncate(int(fi->fh), size));
    const int fd = ::openat(base, rel(path), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return -errno;
    const int rc = result(::ftruncate(fd, size));
    ::close(fd);
    return rc;
}

int pass_utimens(const char* path, const timespec times[2], fuse_file_info* fi) {
    if (fi) return result(::futimens(int(fi->fh), times));
    return result(::utimensat(base, rel(path), times, AT_SYMLINK_NOFOLLOW));
}

int pass_open(const char* path, fuse_file_info* fi) {
    const int fd = ::openat(base, rel(path), fi->flags | O_CLOEXEC);
    if (fd < 0) return -errno;
    fi->fh = uint64_t(fd);
    return 0;
}

int pass_create(const char* path, mode_t mode, fuse_file_info* fi) {
    const int fd = ::openat(base, rel(path), fi->flags | O_CREAT | O_CLOEXEC, mode);
    if (fd < 0) return -errno;
    fi->fh = uint64_t(fd);
    return 0;
}

int pass_read(const char*, char* buffer, size_t size, off_t offset, fuse_file_info* fi) {
    return result(int(::pread(int(fi->fh), buffer, size, offset)));
}

int pass_write(const char*, const char* buffer, size_t size, off_t offset, fuse_file_info* fi) {
    return result(int(::pwrite(int(fi->fh), buffer, size, offset)));
}

int pass_statfs(const char* path, struct statvfs* out) {
    const int fd = ::openat(base, rel(path), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -errno;
    const int rc = result(::fstatvfs(fd, out));
    ::close(fd);
    return rc;
}

int pass_release(const char*, fuse_file_info* fi) { return result(::close(int(fi->fh))); }

int pass_fsync(const char*, int dataOnly, fuse_file_info* fi) {
    return result(dataOnly ? ::fdatasync(int(fi->fh)) : ::fsync(int(fi->fh)));
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--no-links") == 0) {
        linksRefused = true;
        ++first;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: %s [--no-links] FOLDER MOUNTPOINT [FUSE options]\n", argv[0]);
        return 2;
    }
    base = ::open(argv[first], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (base < 0) {
        std::perror(argv[first]);
        return 1;
    }
    fuse_operations ops{};
    ops.getattr = pass_getattr;
    ops.readlink = pass_readlink;
    ops.readdir = pass_readdir;
    ops.mkdir = pass_mkdir;
    ops.unlink = pass_unlink;
    ops.rmdir = pass_rmdir;
    ops.symlink = pass_symlink;
    ops.rename = pass_rename;
    ops.link = pass_link;
    ops.chmod = pass_chmod;
    ops.chown = pass_chown;
    ops.truncate = pass_truncate;
    ops.utimens = pass_utimens;
    ops.open = pass_open;
    ops.create = pass_create;
    ops.read = pass_read;
    ops.write = pass_write;
    ops.statfs = pass_statfs;
    ops.release = pass_release;
    ops.fsync = pass_fsync;
    // Foreground, one thread; the rest of the arguments go to FUSE.
    std::string program = argv[0];
    std::vector<char*> args = {program.data(), argv[first + 1], const_cast<char*>("-f"),
                               const_cast<char*>("-s")};
    for (int i = first + 2; i < argc; ++i) args.push_back(argv[i]);
    return fuse_main(int(args.size()), args.data(), &ops, nullptr);
}
