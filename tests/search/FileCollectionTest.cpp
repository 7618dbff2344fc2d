// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "search/FileCollection.h"

namespace {

using Rows = std::vector<std::string>;

// A scan of the given folders, each with its files in the order read.
FolderScan scanOf(const std::vector<std::pair<std::string, Rows>>& folders) {
    FolderScan scan;
    for (const auto& [path, files] : folders) {
        scan.folders.push_back({path, scan.files.size(), files.size()});
        scan.files.insert(scan.files.end(), files.begin(), files.end());
    }
    return scan;
}

Rows numbered(std::size_t count) {
    Rows names;
    for (std::size_t i = 0; i < count; ++i) names.push_back("f" + std::to_string(i) + ".txt");
    return names;
}

SearchResult collect(FolderScan scan) {
    sortScan(scan);
    SearchResult result;
    collectFiles(scan, result);
    return result;
}

TEST(FileCollectionTest, FoldersInCollationOrderAndFilesSortedWithin) {
    const SearchResult r = collect(scanOf({{"/t/", {"b.txt", "A.txt"}},
                                           {"/t/b/", {"z.txt", "c.TXT", "C.txt"}},
                                           {"/t/A/", {"x.txt"}},
                                           {"/t/a b/", {"y.txt"}}}));
    EXPECT_EQ(r.files, (Rows{"/t/A.txt", "/t/b.txt", "/t/a b/y.txt", "/t/A/x.txt", "/t/b/C.txt",
                             "/t/b/c.TXT", "/t/b/z.txt"}));
    EXPECT_FALSE(r.limitReached);
}

TEST(FileCollectionTest, TheLimitNamesTheFolderBeingRead) {
    struct Case {
        std::vector<std::pair<std::string, Rows>> folders;
        bool limit;
        std::size_t gathered;
        std::string stopFolder;
    };
    const Case cases[] = {
        {{{"/t/one/", numbered(MaxSearchFiles + 1)}}, true, MaxSearchFiles + 1, "/t/one"},
        {{{"/", numbered(MaxSearchFiles + 1)}}, true, MaxSearchFiles + 1, "/"},
        {{{"/t/a/", numbered(MaxSearchFiles)}, {"/t/b/", {}}, {"/t/c/", {"x.txt"}}, {"/t/d/", {"y.txt"}}},
         true, MaxSearchFiles, "/t/c"},
        {{{"/t/a/", numbered(MaxSearchFiles)}, {"/t/b/", {}}}, false, MaxSearchFiles, ""},
    };
    for (const Case& c : cases) {
        const SearchResult r = collect(scanOf(c.folders));
        EXPECT_EQ(r.limitReached, c.limit) << c.stopFolder;
        EXPECT_EQ(r.files.size(), c.gathered) << c.stopFolder;
        EXPECT_EQ(r.stopFolder, c.stopFolder);
    }
}

}  // namespace
