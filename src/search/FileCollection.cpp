// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/FileCollection.h"

#include <algorithm>
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
    // Most folders of a search hold no kept file: only the others are sorted.
    const auto empty = std::stable_partition(scan.folders.begin(), scan.folders.end(),
                                             [](const FolderScan::Folder& f) { return f.fileCount > 0; });
    std::vector<std::string_view> keys;
    keys.reserve(std::size_t(empty - scan.folders.begin()));
    for (auto f = scan.folders.begin(); f != empty; ++f) keys.emplace_back(f->path);
    const std::vector<std::size_t> order = caseInsensitiveOrder(keys);
    permute(scan.folders, 0, order);
    for (const FolderScan::Folder& f : scan.folders) {
        if (f.fileCount < 2) continue;
        keys.assign(scan.files.begin() + long(f.firstFile),
                    scan.files.begin() + long(f.firstFile + f.fileCount));
        permute(scan.files, f.firstFile, caseInsensitiveOrder(keys));
    }
}

void collectFiles(FolderScan& scan, SearchResult& out) {
    for (FolderScan::Folder& folder : scan.folders) {
        const bool full = out.files.size() >= MaxSearchFiles;
        // A folder that stays whole in the result needs its path no more.
        const bool whole = out.files.size() + folder.fileCount <= MaxSearchFiles;
        if (!full || folder.fileCount == 0) {
            for (std::size_t i = 0; i < folder.fileCount; ++i) {
                const std::string& name = scan.files[folder.firstFile + i];
                if (whole && i + 1 == folder.fileCount) {
                    folder.path += name;
                    out.files.push_back(std::move(folder.path));
                } else {
                    out.files.push_back(folder.path + name);
                }
            }
        }
        if ((full && folder.fileCount > 0) || out.files.size() > MaxSearchFiles) {
            out.limitReached = true;
            out.stopFolder = withoutTrailingSlash(folder.path);
            break;
        }
    }
}
