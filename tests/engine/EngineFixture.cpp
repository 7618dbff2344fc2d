// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EngineFixture.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Mounts made by a test that dies go with the process.
const bool privateMounts = enterPrivateMountNamespace();

}  // namespace

int EngineTest::run(const FileJob& job) {
    ui.showProgress = !job.options.has(JobOption::Silent);
    JobExecutor engine(ui, &trashBin, tuning);
    outcome = engine.run(job);
    aborted = outcome.cancelled;
    if (outcome.firstError) return fileOpErrorErrno(outcome.firstError);
    return outcome.cancelled ? ECANCELED : 0;
}

int EngineTest::transfer(JobKind kind, const std::vector<std::string>& from, const std::string& folder,
                         JobOptions options) {
    FileJob job;
    job.kind = kind;
    job.sources = from;
    job.targetFolder = folder;
    job.options = options;
    return run(job);
}

int EngineTest::toTargets(JobKind kind, const std::vector<std::string>& from,
                          const std::vector<std::string>& targets, JobOptions options) {
    FileJob job;
    job.kind = kind;
    job.sources = from;
    job.targets = targets;
    job.options = options;
    return run(job);
}

std::vector<std::string> EngineTest::errorReasons() const {
    std::vector<std::string> reasons;
    for (const auto& q : ui.questions)
        if (q.kind == Kind::Error) reasons.push_back(q.reason);
    return reasons;
}

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

std::string bytes(std::size_t size, char seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = char(seed + i % 251);
    return s;
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
