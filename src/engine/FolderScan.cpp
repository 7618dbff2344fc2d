// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FolderScan.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <exception>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/HiddenNames.h"
#include "engine/WalkJobs.h"
#include "engine/WalkSeam.h"

namespace {

using folderwalk::Job;
using folderwalk::Jobs;

// Open folders kept along the way down; deeper trees close the upper ones
// and come back to them through "..".
constexpr std::size_t kOpenFolders = 48;

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
    Walker(const ScanOptions& options, const std::atomic<bool>& stop, Jobs& jobs, dev_t root,
           FolderScan& out)
        : options_(options), stop_(stop), jobs_(jobs), out_(out), buffer_(64 * 1024), root_(root) {}
    ~Walker() {
        for (Frame& f : stack_)
            if (f.fd >= 0) ::close(f.fd);
    }

    // Walks subtrees until there are none left; false when stopped.
    bool run() {
        Job job;
        while (jobs_.next(job)) {
            if (!walk(std::move(job))) {
                jobs_.breakOff();
                return false;
            }
        }
        return true;
    }

private:
    bool walk(Job job) {
        above_ = std::move(job.above);
        open_ = 0;
        firstOpen_ = firstWithWork_ = 0;
        const std::size_t first = out_.folders.size();
        out_.folders.push_back({std::move(job.path), out_.files.size(), 0});
        if (!enter(job.fd, job.id, first)) return false;
        if (first == 0 && above_.empty()) jobs_.startRead = true;
        while (!stack_.empty()) {
            Frame& top = stack_.back();
            if (top.next == top.subfolders.size()) {
                leave();
                continue;
            }
            const std::string& name = top.subfolders[top.next++];
            jobs_.pending.fetch_sub(1, std::memory_order_relaxed);
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
            if (!enter(child, childId, folder)) return false;
        }
        return true;
    }

    // A folder on the start's file system, no mount point, not on the way down.
    bool mayEnter(const Identity& id) const {
        if (id.dev != root_ || id.mountRoot) return false;
        // Only a mount shows a folder twice: one that is known to be no
        // mount root is below the folders on the way down, not one of them
        // (deep trees would otherwise compare it with every one).
        if (id.mountRootKnown) return true;
        for (const Frame& f : stack_)
            if (f.id == id) return false;
        return std::find(above_.begin(), above_.end(), id) == above_.end();
    }

    // Reads the folder open at fd and goes down into it; false when a stop
    // request ended the walk.
    bool enter(int fd, const Identity& id, std::size_t folder) {
        stack_.push_back(Frame{fd, id, folder, {}, 0});
        ++open_;
        if (!read(stack_.back())) return false;
        if (!stack_.back().subfolders.empty()) firstWithWork_ = std::min(firstWithWork_, stack_.size() - 1);
        jobs_.pending.fetch_add(std::ptrdiff_t(stack_.back().subfolders.size()), std::memory_order_relaxed);
        spareDescriptors();
        if (jobs_.hungry.load(std::memory_order_relaxed) > 0) handOver();
        jobs_.report(options_);
        return true;
    }

    // Gives a walker without work the last folder still to be entered of
    // the uppermost folder that has one, unless it is the only one left:
    // down a chain of single folders, the walkers would hand it to each
    // other at every step.
    void handOver() {
        // Levels above firstWithWork_ have no folder left to enter.
        for (std::size_t level = std::min(firstWithWork_, stack_.size()); level < stack_.size(); ++level) {
            Frame& f = stack_[level];
            if (f.next == f.subfolders.size()) {
                if (firstWithWork_ == level) firstWithWork_ = level + 1;
                continue;
            }
            if (f.fd < 0) continue;
            if (f.subfolders.size() - f.next == 1 && !workBelow(level)) return;
            const std::string name = std::move(f.subfolders.back());
            f.subfolders.pop_back();
            jobs_.pending.fetch_sub(1, std::memory_order_relaxed);
            std::string path = out_.folders[f.folder].path + name + '/';
            const int fd = openFolderAt(f.fd, name.c_str());
            Identity id;
            if (fd >= 0 && identify(fd, id) && mayEnter(id)) {
                std::vector<Identity> above = above_;
                for (std::size_t i = 0; i <= level; ++i) above.push_back(stack_[i].id);
                jobs_.add(Job{fd, id, std::move(path), std::move(above)});
            } else {
                if (fd >= 0) ::close(fd);
                out_.folders.push_back({std::move(path), out_.files.size(), 0});
            }
            return;
        }
    }

    bool workBelow(std::size_t level) const {
        for (std::size_t i = level + 1; i < stack_.size(); ++i)
            if (stack_[i].next < stack_[i].subfolders.size()) return true;
        return false;
    }

    // Whether a folder on one of the first levels has a folder left to enter.
    bool workAbove(std::size_t levels) {
        while (firstWithWork_ < levels && stack_[firstWithWork_].next == stack_[firstWithWork_].subfolders.size())
            ++firstWithWork_;
        return firstWithWork_ < levels;
    }

    void leave() {
        Frame done = std::move(stack_.back());
        stack_.pop_back();
        firstWithWork_ = std::min(firstWithWork_, stack_.size());
        // A closed parent is opened again only when it or a folder above it
        // has a folder left to enter: down a chain, no way back is needed.
        if (!stack_.empty() && stack_.back().fd < 0 && done.fd >= 0 && workAbove(stack_.size())) {
            Frame& parent = stack_.back();
            const int fd = ::openat(done.fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            Identity id;
            if (fd >= 0 && identify(fd, id) && id == parent.id) {
                parent.fd = fd;
                ++open_;
                firstOpen_ = std::min(firstOpen_, stack_.size() - 1);
            } else if (fd >= 0) {
                ::close(fd);
            }
        }
        if (done.fd >= 0) {
            ::close(done.fd);
            --open_;
        }
    }

    // Closes the uppermost open folders beyond the budget. The open ones
    // are those from firstOpen_ down: a folder is closed from the top and
    // opened again only when the walk comes back to it.
    void spareDescriptors() {
        for (std::size_t i = std::min(firstOpen_, stack_.size()); i < stack_.size() && open_ > kOpenFolders; ++i) {
            Frame& f = stack_[i];
            if (f.fd < 0) continue;
            ::close(f.fd);
            f.fd = -1;
            --open_;
            firstOpen_ = i + 1;
        }
    }

    bool read(Frame& frame) {
        std::vector<std::string> kept, linkedFolders;
        bool hiddenList = false;
        room_ = PATH_MAX - 1 - std::min<std::size_t>(out_.folders[frame.folder].path.size(), PATH_MAX - 1);
        bool stopped = false;
        while (!stopped) {
            const ssize_t n = ::getdents64(frame.fd, buffer_.data(), buffer_.size());
            if (n <= 0) break;  // the end, or a failure: what was read stays
            for (ssize_t pos = 0; pos < n && !stopped;) {
                const auto* e = reinterpret_cast<const dirent64*>(buffer_.data() + pos);
                pos += e->d_reclen;
                if (!isDots(e->d_name))
                    sort(frame, e->d_name, e->d_type, kept, linkedFolders, hiddenList);
                stopped = stop_.load(std::memory_order_relaxed) ||
                          jobs_.broken.load(std::memory_order_relaxed);
            }
        }
        // A folder left early may list names in a ".hidden" not read yet.
        if ((hiddenList || stopped) && !options_.includeHidden) {
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
        if (stopped) out_.stopped = true;
        return !stopped;
    }

    void sort(Frame& frame, const char* name, unsigned char type, std::vector<std::string>& kept,
              std::vector<std::string>& linkedFolders, bool& hiddenList) {
        if (name[0] == '.') {
            if (name[1] == 'h' && std::string_view(name) == ".hidden") hiddenList = true;
            if (!options_.includeHidden) return;
        }
        // A path that no call takes (PATH_MAX with its NUL) is left out, and
        // so is a folder whose path cannot take its "/".
        const std::size_t length = std::strlen(name);
        if (length > room_) return;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(frame.fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
        }
        if (type == DT_DIR) {
            if (length < room_) frame.subfolders.emplace_back(name);
            return;
        }
        if (type == DT_LNK) {
            // A link whose name is not kept is nothing to the result, to a
            // folder or not: only a kept name is worth following.
            if (!options_.keepFile(name)) return;
            struct stat target {};
            if (::fstatat(frame.fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) {
                if (length < room_) linkedFolders.emplace_back(name);
                return;
            }
        }
        if (options_.keepFile(name)) kept.emplace_back(name);
    }

    const ScanOptions& options_;
    const std::atomic<bool>& stop_;
    Jobs& jobs_;
    FolderScan& out_;
    std::vector<char> buffer_;
    std::vector<Frame> stack_;
    std::vector<Identity> above_;  // of the subtree being walked
    dev_t root_ = 0;
    std::size_t room_ = 0;  // for a name in the folder being read
    std::size_t open_ = 0;  // frames with an open folder
    std::size_t firstOpen_ = 0;      // no frame above it is open
    std::size_t firstWithWork_ = 0;  // no frame above it has a folder left to enter
};

// Appends part to out.
void merge(FolderScan& part, FolderScan& out) {
    const std::size_t offset = out.files.size();
    for (FolderScan::Folder& f : part.folders) {
        f.firstFile += offset;
        out.folders.push_back(std::move(f));
    }
    out.files.insert(out.files.end(), std::make_move_iterator(part.files.begin()),
                     std::make_move_iterator(part.files.end()));
    out.stopped = out.stopped || part.stopped;
}

void scanWith(int helpers, const ScanOptions& options, const std::atomic<bool>& stop, Jobs& jobs,
              dev_t root, FolderScan& out) {
    std::vector<FolderScan> parts(static_cast<std::size_t>(helpers));
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(helpers));
    std::vector<std::thread> threads;
    const auto failed = [&jobs] {
        jobs.broken = true;
        jobs.breakOff();
    };
    for (int i = 0; i < helpers; ++i) {
        threads.emplace_back([&, i] {
            try {
                Walker(options, stop, jobs, root, parts[std::size_t(i)]).run();
            } catch (...) {
                failures[std::size_t(i)] = std::current_exception();
                failed();
            }
        });
    }
    try {
        Walker(options, stop, jobs, root, out).run();
    } catch (...) {
        failed();
        for (std::thread& t : threads) t.join();
        throw;
    }
    for (std::thread& t : threads) t.join();
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    for (FolderScan& part : parts) merge(part, out);
}

int helperCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? int(std::min(cores, 4u)) - 1 : 0;
}

}  // namespace

void scanFolderTree(const std::string& start, const ScanOptions& options,
                    const std::atomic<bool>& stop, FolderScan& out) {
    const int fd = ::open(start.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Identity id;
    if (fd < 0 || !identify(fd, id)) {
        if (fd >= 0) ::close(fd);
        out.folders.push_back({start, out.files.size(), 0});
        out.startRead = true;
        return;
    }
    const int helpers = helperCount();
    Jobs jobs(helpers + 1);
    jobs.add(Job{fd, id, start, {}});
    try {
        scanWith(helpers, options, stop, jobs, id.dev, out);
    } catch (...) {
        out.startRead = jobs.startRead;
        throw;
    }
    out.startRead = jobs.startRead;
}
