// Copies (or moves) files into a folder through the file-operation service,
// as the program does, with Silent | NoConfirmation | NoFolderQuestion.
//   dorvan_copy_bench [--move] DEST SOURCE...
// Prints the time spent in the service to stderr.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
    const auto start = std::chrono::steady_clock::now();
    const JobOutcome outcome = platform().fileOperations->run(job);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "run: %.1f ms, first error %d\n", took.count(), outcome.firstError);
    return outcome.firstError == 0 && !outcome.cancelled ? 0 : 1;
}
