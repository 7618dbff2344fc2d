#include "search/FileCollection.h"

#include <string_view>

#include "util/Collation.h"
#include "util/PathText.h"

namespace {

// Reorders items by order (indexes into items).
template <class T>
void permute(std::vector<T>& items, std::size_t first, const std::vector<std::size_t>& order) {
    std::vector<T> sorted;
    sorted.reserve(order.size());
    for (std::size_t i : order) sorted.push_back(std::move(items[first + i]));
    std::move(sorted.begin(), sorted.end(), items.begin() + long(first));
}

}  // namespace

void sortScan(FolderScan& scan) {
    std::vector<std::string_view> keys;
    keys.reserve(scan.folders.size());
    for (const FolderScan::Folder& f : scan.folders) keys.emplace_back(f.path);
    const std::vector<std::size_t> order = caseInsensitiveOrder(keys);
    permute(scan.folders, 0, order);
    for (const FolderScan::Folder& f : scan.folders) {
        if (f.fileCount < 2) continue;
        keys.assign(scan.files.begin() + long(f.firstFile),
                    scan.files.begin() + long(f.firstFile + f.fileCount));
        permute(scan.files, f.firstFile, caseInsensitiveOrder(keys));
    }
}

void collectFiles(const FolderScan& scan, const std::atomic<bool>& stop,
                  const std::function<void(std::size_t remaining)>& remaining, SearchResult& out) {
    const std::size_t count = scan.folders.size();
    for (std::size_t position = 0; position < count; ++position) {
        if (stop.load(std::memory_order_relaxed)) {
            out.stopped = true;
            break;
        }
        const FolderScan::Folder& folder = scan.folders[position];
        std::size_t taken = 0;
        bool interrupted = false;  // by the limit or a stop request
        while (taken < folder.fileCount) {
            if (out.files.size() >= MaxSearchFiles) {
                out.limitReached = interrupted = true;
                break;
            }
            ++taken;
            if (stop.load(std::memory_order_relaxed)) {
                out.stopped = interrupted = true;
                break;
            }
        }
        if (!interrupted) {
            const std::size_t left = count - position - 1;
            if (left % 25 == 0 && remaining) remaining(left);
        }
        for (std::size_t i = 0; i < taken; ++i)
            out.files.push_back(folder.path + scan.files[folder.firstFile + i]);
        if (out.files.size() > MaxSearchFiles) out.limitReached = true;
        if (out.limitReached) out.stopFolder = withoutTrailingSlash(folder.path);
        if (out.limitReached || out.stopped) break;
    }
}
