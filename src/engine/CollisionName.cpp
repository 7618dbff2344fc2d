#include "engine/CollisionName.h"

#include <cstdio>

namespace {

// Cuts text to at most size bytes without splitting a UTF-8 sequence.
std::string cutAtCharBoundary(const std::string& text, std::size_t size) {
    if (text.size() <= size) return text;
    std::size_t end = size;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

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
        const std::string suffix = std::string(digits) + ext;
        if (suffix.size() >= maxNameBytes) return {};
        const std::string candidate =
            folder + cutAtCharBoundary(base, maxNameBytes - suffix.size()) + suffix;
        if (!taken(candidate)) return candidate;
    }
    return {};
}
