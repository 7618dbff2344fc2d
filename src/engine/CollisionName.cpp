#include "engine/CollisionName.h"

#include <cstdio>

#include "util/FileNameFit.h"


std::string collisionFreeName(const std::string& path, bool isFolder,
                              const std::function<bool(const std::string&)>& taken,
                              std::size_t maxNameBytes) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = path.substr(folder.size());
    std::string base = name;
    std::string ext;
    if (!isFolder) {
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0) {
            base = name.substr(0, dot);
            ext = name.substr(dot);
        }
    }
    for (unsigned long counter = 1; counter < 1000000; ++counter) {
        char digits[24];
        std::snprintf(digits, sizeof digits, "_%02lu", counter);
        const std::string fitted = fitFileName(base, std::string(digits) + ext, maxNameBytes);
        if (fitted.empty()) return {};
        const std::string candidate = folder + fitted;
        if (!taken(candidate)) return candidate;
    }
    return {};
}
