#include "engine/FolderScan.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "engine/HiddenNames.h"

namespace {

// Open folders kept along the way down; deeper trees close the upper ones
// and come back to them through "..".
constexpr std::size_t kOpenFolders = 48;

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool mountRoot = false;
    bool operator==(const Identity& o) const { return dev == o.dev && ino == o.ino; }
};

bool identify(int fd, Identity& id) {
    struct statx sx {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_INO, &sx) == 0) {
        id.dev = makedev(sx.stx_dev_major, sx.stx_dev_minor);
        id.ino = sx.stx_ino;
        id.mountRoot = (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) &&
                       (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
        return S_ISDIR(sx.stx_mode);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    id.dev = st.st_dev;
    id.ino = st.st_ino;
    id.mountRoot = false;
    return S_ISDIR(st.st_mode);
}

int openFolderAt(int parentFd, const char* name) {
    return ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool isDots(const char* n) {
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}

struct Frame {
    int fd = -1;  // -1 while closed to spare descriptors
    Identity id;
    std::size_t folder = 0;               // index into FolderScan::folders
    std::vector<std::string> subfolders;  // to be entered
    std::size_t next = 0;
};

class Walker {
public:
    Walker(const ScanOptions& options, const std::atomic<bool>& stop, FolderScan& out)
        : options_(options), stop_(stop), out_(out), buffer_(64 * 1024) {}
    ~Walker() {
        for (Frame& f : stack_)
            if (f.fd >= 0) ::close(f.fd);
    }

    void run(const std::string& start) {
        out_.folders.push_back({start, out_.files.size(), 0});
        const int fd = ::open(start.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        Identity id;
        if (fd < 0 || !identify(fd, id)) {
            if (fd >= 0) ::close(fd);
            out_.startRead = true;
            return;
        }
        root_ = id.dev;
        if (!enter(fd, id, 0)) return;
        out_.startRead = true;
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next == top.subfolders.size()) {
                leave();
                continue;
            }
            const std::string& name = top.subfolders[top.next++];
            const std::size_t folder = out_.folders.size();
            out_.folders.push_back({out_.folders[top.folder].path + name + '/', out_.files.size(), 0});
            if (top.fd < 0) continue;  // its way back was lost (moved meanwhile)
            const int child = openFolderAt(top.fd, name.c_str());
            if (child < 0) continue;
            Identity childId;
            if (!identify(child, childId) || !mayEnter(childId)) {
                ::close(child);
                continue;
            }
            if (!enter(child, childId, folder)) return;
        }
    }

private:
    // A folder on the start's file system, no mount point, not on the way down.
    bool mayEnter(const Identity& id) const {
        if (id.dev != root_ || id.mountRoot) return false;
        for (const Frame& f : stack_)
            if (f.id == id) return false;
        return true;
    }

    // Reads the folder open at fd and goes down into it; false when a stop
    // request ended the walk.
    bool enter(int fd, const Identity& id, std::size_t folder) {
        stack_.push_back(Frame{fd, id, folder, {}, 0});
        if (!read(stack_.back())) return false;
        spareDescriptors();
        return true;
    }

    void leave() {
        Frame done = std::move(stack_.back());
        stack_.pop_back();
        if (!stack_.empty() && stack_.back().fd < 0 && done.fd >= 0) {
            Frame& parent = stack_.back();
            const int fd = ::openat(done.fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            Identity id;
            if (fd >= 0 && identify(fd, id) && id == parent.id) parent.fd = fd;
            else if (fd >= 0) ::close(fd);
        }
        if (done.fd >= 0) ::close(done.fd);
    }

    void spareDescriptors() {
        std::size_t open = 0;
        for (const Frame& f : stack_) open += f.fd >= 0;
        for (Frame& f : stack_) {
            if (open <= kOpenFolders) break;
            if (f.fd >= 0) {
                ::close(f.fd);
                f.fd = -1;
                --open;
            }
        }
    }

    bool read(Frame& frame) {
        std::vector<std::string> kept, linkedFolders;
        bool hiddenList = false;
        for (;;) {
            const ssize_t n = ::getdents64(frame.fd, buffer_.data(), buffer_.size());
            if (n <= 0) break;  // the end, or a failure: what was read stays
            for (ssize_t pos = 0; pos < n;) {
                const auto* e = reinterpret_cast<const dirent64*>(buffer_.data() + pos);
                pos += e->d_reclen;
                if (!isDots(e->d_name))
                    sort(frame, e->d_name, e->d_type, kept, linkedFolders, hiddenList);
                if (stop_.load(std::memory_order_relaxed)) {
                    out_.stopped = true;
                    return false;
                }
            }
        }
        if (hiddenList && !options_.includeHidden) {
            if (const auto listed = readHiddenFileAt(frame.fd); listed && !listed->empty()) {
                for (auto* names : {&frame.subfolders, &kept, &linkedFolders})
                    std::erase_if(*names, [&](const std::string& n) { return listed->count(n) != 0; });
            }
        }
        FolderScan::Folder& folder = out_.folders[frame.folder];
        folder.firstFile = out_.files.size();
        folder.fileCount = kept.size();
        for (std::string& name : kept) out_.files.push_back(std::move(name));
        for (const std::string& name : linkedFolders)
            out_.folders.push_back({out_.folders[frame.folder].path + name + '/', out_.files.size(), 0});
        return true;
    }

    void sort(Frame& frame, const char* name, unsigned char type, std::vector<std::string>& kept,
              std::vector<std::string>& linkedFolders, bool& hiddenList) {
        if (name[0] == '.') {
            if (name[1] == 'h' && std::string_view(name) == ".hidden") hiddenList = true;
            if (!options_.includeHidden) return;
        }
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(frame.fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
        }
        if (type == DT_DIR) {
            frame.subfolders.emplace_back(name);
            return;
        }
        if (type == DT_LNK) {
            struct stat target {};
            if (::fstatat(frame.fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
                linkedFolders.emplace_back(name);
                return;
            }
        }
        if (options_.keepFile(name)) kept.emplace_back(name);
    }

    const ScanOptions& options_;
    const std::atomic<bool>& stop_;
    FolderScan& out_;
    std::vector<char> buffer_;
    std::vector<Frame> stack_;
    dev_t root_ = 0;
};

}  // namespace

void scanFolderTree(const std::string& start, const ScanOptions& options,
                    const std::atomic<bool>& stop, FolderScan& out) {
    Walker(options, stop, out).run(start);
}
