#include "app/CommandLineFiles.h"

#include <climits>
#include <unistd.h>

std::vector<std::string> CommandLineFiles(int argc, const char* const* argv,
                                          const std::string& currentFolder) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string path = argv[i];
        if (path.empty()) continue;
        if (path.front() != '/') {
            if (currentFolder.empty()) continue;
            while (path.starts_with("./")) path.erase(0, 2);
            path = (currentFolder.back() == '/' ? currentFolder : currentFolder + "/") + path;
        }
        files.push_back(std::move(path));
    }
    return files;
}

std::vector<std::string> CommandLineFiles(int argc, const char* const* argv) {
    char buf[PATH_MAX];
    const char* cwd = ::getcwd(buf, sizeof buf);
    return CommandLineFiles(argc, argv, cwd ? cwd : "");
}
