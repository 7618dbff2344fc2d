// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Copies (or moves) files into a folder through the file-operation service,
// as the program does, with Silent | NoConfirmation | NoFolderQuestion.
//   dorvan_copy_bench [--move] DEST SOURCE...
// Prints two figures in milliseconds on one line: the time the service took
// to return, and the time until a sync() that follows it returned (the data
// on the disk). The process's own start is not counted: in the program the
// service is called from the running window.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include <QCoreApplication>

#include "engine/FileJob.h"
#include "platform/Platform.h"
#include "platform/linux/FileOperationService.h"
#include "platform/linux/GioTrash.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QCoreApplication app(argc, argv);
    int first = 1;
    JobKind kind = JobKind::Copy;
    if (argc > 1 && std::strcmp(argv[1], "--move") == 0) {
        kind = JobKind::Move;
        ++first;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: %s [--move] DEST SOURCE...\n", argv[0]);
        return 2;
    }
    FileOperationService service;
    GioTrash trash;
    platform().fileOperations = &service;
    platform().trash = &trash;

    FileJob job;
    job.kind = kind;
    job.sources.assign(argv + first + 1, argv + argc);
    job.targetFolder = argv[first];
    job.options = {JobOption::Silent, JobOption::NoConfirmation, JobOption::NoFolderQuestion};
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const JobOutcome outcome = platform().fileOperations->run(job);
    const Clock::time_point returned = Clock::now();
    ::sync();
    const Clock::time_point synced = Clock::now();
    const auto ms = [&](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - start).count();
    };
    std::printf("%.1f %.1f\n", ms(returned), ms(synced));
    if (outcome.firstError) std::fprintf(stderr, "first error %d\n", outcome.firstError);
    return outcome.firstError == 0 && !outcome.cancelled ? 0 : 1;
}
