// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hierarchy/HierarchyPlan.h"

#include <algorithm>

#include "util/PathText.h"

namespace {

// The root, or no folder at all.
bool isRoot(const std::string& folder) { return folder.size() <= 1; }

// folder is path itself or one of its ancestors, name by name.
bool isAncestorOrSelf(const std::string& folder, const std::string& path) {
    if (path.compare(0, folder.size(), folder) != 0) return false;
    return path.size() == folder.size() || folder.back() == '/' || path[folder.size()] == '/';
}

}  // namespace

std::string CommonFolder(const std::vector<std::string>& entries) {
    if (entries.empty()) return {};
    std::string common = folderPart(entries.front());
    for (std::size_t k = 1; k < entries.size() && !common.empty(); ++k) {
        const std::string folder = folderPart(entries[k]);
        while (!common.empty() && !isAncestorOrSelf(common, folder)) {
            const std::string up = folderPart(common);
            common = up == common ? std::string() : up;
        }
    }
    return common;
}

std::vector<std::string> FillBaseLevels(const std::vector<std::string>& entries) {
    const std::string common = CommonFolder(entries);
    if (common.empty()) return {DriveLevel};
    std::vector<std::string> levels{common};
    while (!isRoot(levels.back())) {
        std::string up = folderPart(levels.back());
        if (up.empty() || up == levels.back()) break;
        levels.push_back(std::move(up));
    }
    // Every level is a prefix of the one before: the root comes first.
    std::reverse(levels.begin(), levels.end());
    return levels;
}

std::string BaseText(const std::vector<std::string>& levels, int chosen) {
    const std::string& level = levels.at(std::size_t(chosen));
    if (chosen > 0) return withTrailingSlash(level);
    return level == "/" ? level : std::string();
}

std::string HierarchyTarget(const std::string& source, const std::string& baseText,
                            const std::string& prefix) {
    const std::string rest = !baseText.empty() && source.compare(0, baseText.size(), baseText) == 0
                                 ? source.substr(baseText.size())
                                 : source;
    // Rebuilt from its names: empty and "." names drop out, ".." is refused.
    std::string below;
    for (std::size_t pos = 0; pos <= rest.size();) {
        std::size_t end = rest.find('/', pos);
        if (end == std::string::npos) end = rest.size();
        const std::string name = rest.substr(pos, end - pos);
        if (name == "..") return {};
        if (!name.empty() && name != ".") below += (below.empty() ? "" : "/") + name;
        pos = end + 1;
    }
    if (below.empty() || rest.back() == '/') return {};
    return withTrailingSlash(prefix) + below;
}
