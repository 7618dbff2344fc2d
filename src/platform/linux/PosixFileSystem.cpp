#include "platform/linux/PosixFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "util/PathText.h"

namespace {

long long mtimeNs(const struct stat& st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

std::set<std::string> readHiddenFile(const std::string& file) {
    std::set<std::string> names;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.insert(line);
    }
    return names;
}

// Writes the ".hidden" file through a temporary file and a rename, so that a
// reader never sees it half written. An empty list removes the file.
bool writeHiddenFile(const std::string& file, const std::set<std::string>& names) {
    if (names.empty()) return ::unlink(file.c_str()) == 0 || errno == ENOENT;
    const std::string temp = file + ".dorvan-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const auto& n : names) out << n << '\n';
        out.flush();
        if (!out) {
            ::unlink(temp.c_str());
            return false;
        }
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool PosixFileSystem::fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::directoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::listedInHiddenFile(const std::string& folder, const std::string& name) {
    const std::string file = joinPath(folder, ".hidden");
    struct stat st {};
    std::lock_guard lock(hiddenMutex_);
    if (::stat(file.c_str(), &st) != 0) {
        hiddenCache_.erase(folder);
        return false;
    }
    HiddenList& list = hiddenCache_[folder];
    if (list.mtimeNs != mtimeNs(st)) {
        list.names = readHiddenFile(file);
        list.mtimeNs = mtimeNs(st);
    }
    return list.names.count(name) != 0;
}

std::optional<unsigned> PosixFileSystem::attributes(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0) return std::nullopt;
    unsigned bits = 0;
    if (S_ISDIR(st.st_mode)) {
        bits |= attr::Directory;
    } else if (S_ISLNK(st.st_mode)) {
        bits |= attr::ReparsePoint;
        struct stat target {};
        if (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
            bits |= attr::Directory;
    } else if (S_ISREG(st.st_mode)) {
        bits |= attr::Archive;
    } else {
        bits |= attr::System;
    }
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR)) bits |= attr::ReadOnly;
    const std::string name = fileNamePart(path);
    if (!name.empty() && (name[0] == '.' || listedInHiddenFile(folderPart(path), name)))
        bits |= attr::Hidden;
    return bits;
}

bool PosixFileSystem::setAttribute(const std::string& path, unsigned bit, bool on) {
    if (bit == attr::Hidden) return setHidden(path, on);
    if (bit != attr::ReadOnly) return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) return false;
    mode_t mode = st.st_mode & 07777;
    mode = on ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool PosixFileSystem::setHidden(const std::string& path, bool on) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return false;
    const std::string name = fileNamePart(path);
    if (name.empty()) return false;
    if (name[0] == '.') return on;  // a dot-name is always hidden
    if (name.find('\n') != std::string::npos) return false;  // cannot be listed
    const std::string folder = folderPart(path);
    const std::string file = joinPath(folder, ".hidden");
    std::lock_guard lock(hiddenMutex_);
    std::set<std::string> names = readHiddenFile(file);
    const bool listed = names.count(name) != 0;
    if (listed == on) return true;
    if (on) names.insert(name); else names.erase(name);
    hiddenCache_.erase(folder);
    return writeHiddenFile(file, names);
}

bool PosixFileSystem::listDirectory(const std::string& folder, std::vector<DirEntry>& out) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return false;
    std::set<std::string> hidden;
    {
        const std::string file = joinPath(folder, ".hidden");
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0) hidden = readHiddenFile(file);
    }
    const int fd = ::dirfd(dir);
    bool ok = true;
    for (;;) {
        errno = 0;
        dirent* e = ::readdir(dir);
        if (!e) {
            ok = errno == 0;
            break;
        }
        const char* n = e->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
            }
        }
        std::string name(n);
        const bool isHidden = name[0] == '.' || hidden.count(name) != 0;
        out.push_back(DirEntry{std::move(name), type == DT_DIR, type == DT_LNK, isHidden});
    }
    ::closedir(dir);
    return ok;
}

bool PosixFileSystem::makeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

bool PosixFileSystem::removeDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

bool PosixFileSystem::renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // The file system cannot rename without replacing: link and unlink keeps
    // the guarantee for files; folders fall back to a checked rename.
    if (::link(from.c_str(), to.c_str()) == 0) return ::unlink(from.c_str()) == 0;
    if (errno == EEXIST) return false;
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}
