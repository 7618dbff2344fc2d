// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Moves files into a folder through the file-operation service as the
// program does, then undoes the move as Ctrl+Z does.
//   dorvan_undo_bench [--plain | --no-undo] JOURNAL DEST SOURCE...
// Prints the milliseconds of the move and of its undo on one line. With
// --plain the move is not recorded and not undone (its figure alone): the
// cost of recording is the difference. With --no-undo the move is recorded
// but not undone: a move in the direction of another's undo.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include <QCoreApplication>

#include "engine/FileJob.h"
#include "engine/PosixFileSystem.h"
#include "engine/UndoJournal.h"
#include "engine/UndoRunner.h"
#include "platform/EngineAdapters.h"
#include "platform/Platform.h"
#include "platform/linux/FileOperationService.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int first = 1;
    const bool plain = argc > 1 && std::strcmp(argv[1], "--plain") == 0;
    const bool moveOnly = plain || (argc > 1 && std::strcmp(argv[1], "--no-undo") == 0);
    if (moveOnly) ++first;
    if (argc - first < 3) {
        std::fprintf(stderr, "usage: %s [--plain | --no-undo] JOURNAL DEST SOURCE...\n", argv[0]);
        return 2;
    }
    FileOperationService service;
    PosixFileSystem files;
    platform().fileOperations = &service;
    platform().fileSystem = &files;
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::time_point a, Clock::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };

    UndoJournal journal(argv[first]);
    journal.load();
    journal.beginCommand("一括移動");
    const Clock::time_point start = Clock::now();
    JobOutcome outcome;
    {
        CurrentUndoRecorder current(plain ? nullptr : journal.recorder());
        FileJob job;
        job.kind = JobKind::Move;
        job.sources.assign(argv + first + 2, argv + argc);
        job.targetFolder = argv[first + 1];
        // With its progress counted, as the window moves with the default
        // options and as the undo runs.
        job.options = {JobOption::NoConfirmation, JobOption::NoFolderQuestion};
        outcome = service.run(job);
        journal.endCommand();
    }
    const Clock::time_point moved = Clock::now();
    if (outcome.firstError || outcome.cancelled) {
        std::fprintf(stderr, "the move failed: %d\n", outcome.firstError);
        return 1;
    }
    if (moveOnly) {
        std::printf("%.1f\n", ms(start, moved));
        return 0;
    }
    // As after a restart: the journal read afresh. Its folder is listed when
    // the program starts; the undo reads the entry, as Ctrl+Z does.
    UndoJournal again(argv[first]);
    again.load();
    const auto info = again.nextUndo();
    const Clock::time_point asked = Clock::now();
    UndoEntry entry;
    if (!info || !again.read(*info, entry)) return 1;
    const auto phase = again.beginPhase(*info, entry, true);
    const UndoResult result =
        undoEntry(entry, *phase, {platformJobRunner(), platformFileSystem(), platformEngineUi()});
    const Clock::time_point undone = Clock::now();
    std::printf("%.1f %.1f\n", ms(start, moved), ms(asked, undone));
    if (!result.refused.empty()) {
        std::fprintf(stderr, "%zu items not undone, first: %s %s\n", result.refused.size(),
                     result.refused[0].path.c_str(), result.refused[0].reason.c_str());
        return 1;
    }
    return 0;
}
