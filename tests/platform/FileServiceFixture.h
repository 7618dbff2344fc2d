// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "engine/FileJob.h"
#include "engine/FileOpErrors.h"
#include "platform/linux/FileOperationService.h"
#include "support/TestEnvironment.h"

// Runs the real service on real temporary folders; every dialog is the
// scripted fakeFileOpUi(). Progress is shown at every file and chunk. (The
// engine's own behaviour is tested on its floor: tests/engine.)
class FileServiceTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        service.setProgressInterval(std::chrono::milliseconds(0));
    }

    // Runs the job; 0, the errno value of its first failure, or ECANCELED.
    int run(FileJob job) {
        job.progressTitle = title.toStdString();
        outcome = service.run(job);
        aborted = outcome.cancelled;
        if (outcome.firstError) return fileOpErrorErrno(outcome.firstError);
        return outcome.cancelled ? ECANCELED : 0;
    }
    int transfer(JobKind kind, const std::vector<std::string>& from, const std::string& folder,
                 JobOptions options) {
        FileJob job;
        job.kind = kind;
        job.sources = from;
        job.targetFolder = folder;
        job.options = options;
        return run(job);
    }
    int copy(const std::vector<std::string>& from, const std::string& folder, JobOptions options) {
        return transfer(JobKind::Copy, from, folder, options);
    }
    int move(const std::vector<std::string>& from, const std::string& folder, JobOptions options) {
        return transfer(JobKind::Move, from, folder, options);
    }
    // Source k to targets[k].
    int toTargets(JobKind kind, const std::vector<std::string>& from,
                  const std::vector<std::string>& targets, JobOptions options) {
        FileJob job;
        job.kind = kind;
        job.sources = from;
        job.targets = targets;
        job.options = options;
        return run(job);
    }
    int trash(const std::vector<std::string>& paths, JobOptions options) {
        return toTargets(JobKind::Trash, paths, {}, options);
    }
    int erase(const std::vector<std::string>& paths, JobOptions options) {
        return toTargets(JobKind::Erase, paths, {}, options);
    }

    FileOperationService service;
    TempDir dir;
    QString title;
    bool aborted = false;
    JobOutcome outcome;  // of the last job
};

// Options that keep every dialog away.
inline const JobOptions Quiet{JobOption::Silent, JobOption::NoConfirmation, JobOption::NoFolderQuestion};

// Names in folder, sorted, without "." and "..".
std::vector<std::string> namesIn(const std::string& folder);
