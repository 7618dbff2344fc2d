#include "hierarchy/HierarchyPlan.h"

#include <algorithm>

#include "util/Collation.h"
#include "util/PathText.h"

namespace {

// The root, or no folder at all.
bool isRoot(const std::string& folder) { return folder.size() <= 1; }

bool startsWithIgnoringCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && asciiUpper(text.substr(0, start.size())) == asciiUpper(start);
}

}  // namespace

std::string CommonFolder(const std::vector<std::string>& entries) {
    if (entries.empty()) return {};
    if (entries.size() == 1) return folderPart(entries.front());

    std::vector<std::string> folders;
    folders.reserve(entries.size());
    for (const auto& e : entries) folders.push_back(folderPart(e));
    sortCaseInsensitive(folders);
    const std::string& first = folders.front();
    const std::string& last = folders.back();
    if (isRoot(first))
        return !first.empty() && !last.empty() && first[0] == last[0] ? first : std::string();

    // ASCII upper case keeps every byte where it is, so lengths still match.
    std::string a = asciiUpper(first);
    const std::string b = isRoot(last) ? std::string() : asciiUpper(last);
    if (b.empty() || a[0] != b[0]) return {};
    while (!isRoot(a) && b.find(a) == std::string::npos) a = folderPart(a);
    if (isRoot(a)) return a;
    // In the letter case of the data list's first entry when it starts with
    // the common folder; else of the folder the common part was found in.
    const std::string& own = startsWithIgnoringCase(entries.front(), a) ? entries.front() : first;
    return own.substr(0, a.size());
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
    const std::string rest = !baseText.empty() && startsWithIgnoringCase(source, baseText)
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
