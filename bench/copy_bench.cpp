// Copies (or moves) files into a folder through the file-operation service,
// as the program does, with Silent | NoConfirmation | NoConfirmMkDir.
//   dorvan_copy_bench [--move] DEST SOURCE...
// Prints the time spent in the service to stderr.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "platform/IFileOperationService.h"
#include "platform/Platform.h"
#include "platform/linux/FileOperationService.h"
#include "platform/linux/GioTrash.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QCoreApplication app(argc, argv);
    int first = 1;
    unsigned func = fo::Copy;
    if (argc > 1 && std::strcmp(argv[1], "--move") == 0) {
        func = fo::Move;
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

    std::vector<std::string> sources(argv + first + 1, argv + argc);
    FileOpRequest request;
    request.func = func;
    request.from = joinDoubleNulList(sources);
    request.to = joinDoubleNulList({argv[first]});
    request.flags = fof::Silent | fof::NoConfirmation | fof::NoConfirmMkDir;
    const auto start = std::chrono::steady_clock::now();
    const int rc = platform().fileOperations->perform(request);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "perform: %.1f ms, result %d\n", took.count(), rc);
    return rc == 0 ? 0 : 1;
}
