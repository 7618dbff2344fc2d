// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

#include "engine/FileJob.h"
#include "engine/JobExecutor.h"

// Copy, move and delete of path lists. The work runs on a worker thread while
// the caller waits in a local event loop (the window stays painted, and user
// input reaches only the operation's own dialogs); the worker's questions are
// answered on the user-interface thread through platform().fileOpUi,
// deletions to the trash go through platform().trash. A termination request
// (util/Termination.h) cancels the operation; should the local loop end
// before the worker (the program quits), the worker gets careful answers and
// stops.
//
// An existing target is replaced only after Yes or with NoConfirmation, and
// then in one step: the copy is written under a temporary name in the target
// folder, flushed and renamed over it. RenameOnCollision picks name_01.ext,
// name_02.ext, ... instead.
class FileOperationService : public FileJobRunner {
public:
    JobOutcome run(const FileJob& job) override;

    // The worker waits for the progress dialog at most this often (0: at
    // every file and chunk, which tests use to cancel at a known point).
    void setProgressInterval(std::chrono::milliseconds interval) { interval_ = interval; }
    void setTuning(const FileOpTuning& tuning) { tuning_ = tuning; }

private:
    std::chrono::milliseconds interval_{100};
    FileOpTuning tuning_;
};
