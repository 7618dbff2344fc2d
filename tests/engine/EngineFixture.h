// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "engine/FileJob.h"
#include "engine/JobExecutor.h"
#include "engine/FileOpErrors.h"
#include "support/core/ScriptedCallbacks.h"
#include "support/core/TestFiles.h"
#include "support/core/TmpfsMount.h"

// Runs JobExecutor itself on real temporary folders; every question goes to
// the scripted ui, deletions to the trash to the scripted trashBin. Progress
// is seen at every file and chunk.
class EngineTest : public ::testing::Test {
protected:
    // Runs the job; 0, the errno value of its first failure, or ECANCELED.
    int run(const FileJob& job);
    int transfer(JobKind kind, const std::vector<std::string>& from, const std::string& folder,
                 JobOptions options);
    int copy(const std::vector<std::string>& from, const std::string& folder, JobOptions options) {
        return transfer(JobKind::Copy, from, folder, options);
    }
    int move(const std::vector<std::string>& from, const std::string& folder, JobOptions options) {
        return transfer(JobKind::Move, from, folder, options);
    }
    // Source k to targets[k].
    int toTargets(JobKind kind, const std::vector<std::string>& from,
                  const std::vector<std::string>& targets, JobOptions options);
    int trash(const std::vector<std::string>& paths, JobOptions options) {
        return toTargets(JobKind::Trash, paths, {}, options);
    }
    int erase(const std::vector<std::string>& paths, JobOptions options) {
        return toTargets(JobKind::Erase, paths, {}, options);
    }
    // The reasons of the errors reported, in order.
    std::vector<std::string> errorReasons() const;

    ScriptedCallbacks ui;
    ScriptedTrash trashBin;
    FileOpTuning tuning;
    TempDir dir;
    bool aborted = false;
    JobOutcome outcome;  // of the last job
};

using Kind = ScriptedCallbacks::Kind;
using Answer = FileOpCallbacks::Answer;
using ErrorChoice = ScriptedCallbacks::ErrorChoice;

// Options that keep every question away.
inline const JobOptions Quiet{JobOption::Silent, JobOption::NoConfirmation, JobOption::NoFolderQuestion};
// Progress at every file and chunk, no questions but errors.
inline const JobOptions Shown = JobOption::NoConfirmation | JobOption::NoFolderQuestion;

struct stat statOf(const std::string& path);
// Names in folder, sorted, without "." and "..".
std::vector<std::string> namesIn(const std::string& folder);
void setMtime(const std::string& path, long sec, long nsec);
// size bytes that differ from those of another seed.
std::string bytes(std::size_t size, char seed);

// Fails the test and unblocks the FIFO at path should anything still wait on
// it when the guard is destroyed or after a few seconds.
class FifoGuard {
public:
    explicit FifoGuard(std::string fifo);
    ~FifoGuard();
    bool timedOut() const { return timedOut_; }

private:
    std::string fifo_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> timedOut_{false};
    std::thread watcher_;
};
