#include "search/FileCollection.h"

#include <string_view>

#include "util/Collation.h"
#include "util/PathText.h"

void collectFiles(const FolderScan& scan, const std::atomic<bool>& stop,
                  const std::function<void(std::size_t remaining)>& remaining, SearchResult& out) {
    std::vector<std::string_view> paths;
    paths.reserve(scan.folders.size());
    for (const FolderScan::Folder& f : scan.folders) paths.emplace_back(f.path);
    const std::vector<std::size_t> order = caseInsensitiveOrder(paths);
    paths.clear();

    for (std::size_t position = 0; position < order.size(); ++position) {
        if (stop.load(std::memory_order_relaxed)) {
            out.stopped = true;
            break;
        }
        const FolderScan::Folder& folder = scan.folders[order[position]];
        std::vector<std::string> names;
        bool leftEarly = false;
        for (std::size_t i = 0; i < folder.fileCount; ++i) {
            if (out.files.size() >= MaxSearchFiles) {
                out.limitReached = true;
                leftEarly = true;
                break;
            }
            names.push_back(scan.files[folder.firstFile + i]);
            if (stop.load(std::memory_order_relaxed)) {
                out.stopped = true;
                leftEarly = true;
                break;
            }
        }
        if (!leftEarly) {
            const std::size_t left = order.size() - position - 1;
            if (left % 25 == 0 && remaining) remaining(left);
        }
        sortCaseInsensitive(names);
        for (const std::string& name : names) out.files.push_back(folder.path + name);
        if (out.files.size() > MaxSearchFiles) out.limitReached = true;
        if (out.limitReached) out.stopFolder = withoutTrailingSlash(folder.path);
        if (out.limitReached || out.stopped) break;
    }
}
