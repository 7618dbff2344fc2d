#include "FileServiceFixture.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

struct stat statOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") names.push_back(n);
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void setMtime(const std::string& path, long sec, long nsec) {
    const timespec times[2] = {{sec, nsec}, {sec, nsec}};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

FifoGuard::FifoGuard(std::string fifo) : fifo_(std::move(fifo)) {
    watcher_ = std::thread([this] {
        std::unique_lock lock(mutex_);
        if (done_.wait_for(lock, std::chrono::seconds(10), [this] { return finished_; })) return;
        timedOut_ = true;
        // A reader blocked in open() is released by a writer that comes and goes.
        const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    });
}

FifoGuard::~FifoGuard() {
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    watcher_.join();
}
