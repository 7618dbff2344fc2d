// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/FolderScan.h"
#include "engine/WalkSeam.h"

// The work of the threads of one folder walk (FolderScan.cpp).
namespace folderwalk {

// A subtree for one of the walkers: its folder, open, and the folders above it.
struct Job {
    int fd = -1;
    Identity id;
    std::string path;
    std::vector<Identity> above;
};

// The walkers share out subtrees: one that runs dry waits for another to
// hand over a folder it has not entered yet.
class Jobs {
public:
    explicit Jobs(int walkers) : walkers_(walkers) {}
    ~Jobs() {
        for (Job& j : jobs_) ::close(j.fd);
    }

    void add(Job job) {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        changed_.notify_one();
    }
    // The next subtree; false when every walker is out of work or the walk
    // was broken off.
    bool next(Job& job) {
        std::unique_lock lock(mutex_);
        ++idle_;
        hungry.fetch_add(1);
        while (jobs_.empty() && !over_) {
            if (idle_ == walkers_) {
                over_ = true;
                changed_.notify_all();
                break;
            }
            changed_.wait(lock);
        }
        hungry.fetch_sub(1);
        if (over_ || jobs_.empty()) return false;
        --idle_;
        job = std::move(jobs_.front());
        jobs_.pop_front();
        return true;
    }
    void breakOff() {
        {
            std::lock_guard lock(mutex_);
            over_ = true;
        }
        changed_.notify_all();
    }

    // Tells options.progress the folders found but not read, when it is
    // due; a walker that finds another one telling goes on.
    void report(const ScanOptions& options) {
        using Clock = std::chrono::steady_clock;
        if (!options.progress) return;
        const Clock::rep now = Clock::now().time_since_epoch().count();
        Clock::rep due = nextReport_.load(std::memory_order_relaxed);
        if (now < due) return;
        const Clock::rep every = std::chrono::duration_cast<Clock::duration>(options.progressEvery).count();
        if (!nextReport_.compare_exchange_strong(due, now + std::max<Clock::rep>(every, 1))) return;
        std::unique_lock lock(reporting_, std::try_to_lock);
        if (lock) options.progress(std::size_t(std::max<std::ptrdiff_t>(pending.load(), 0)));
    }

    std::atomic<int> hungry{0};  // walkers waiting for work
    std::atomic<bool> broken{false};
    std::atomic<bool> startRead{false};
    std::atomic<std::ptrdiff_t> pending{0};  // subfolders found, not yet taken

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    int walkers_;
    int idle_ = 0;
    bool over_ = false;
    std::atomic<std::chrono::steady_clock::rep> nextReport_{0};
    std::mutex reporting_;
};

}  // namespace folderwalk
