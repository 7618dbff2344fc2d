// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <atomic>
#include <map>

#include <gtest/gtest.h>

#include "engine/FolderScan.h"
#include "engine/WalkSeam.h"
#include "support/core/TestFiles.h"

namespace {

// Folder path (below the start) -> its kept files, sorted for comparison.
using Found = std::map<std::string, std::vector<std::string>>;

Found scan(const std::string& start, bool includeHidden = false, FolderScan* whole = nullptr) {
    const std::string root = start + "/";
    ScanOptions options;
    options.includeHidden = includeHidden;
    options.keepFile = [](std::string_view name) { return name.find("skip") == std::string_view::npos; };
    std::atomic<bool> stop{false};
    FolderScan out;
    scanFolderTree(root, options, stop, out);
    Found found;
    for (const auto& f : out.folders) {
        auto& files = found[f.path.substr(root.size())];
        EXPECT_TRUE(files.empty()) << "listed twice: " << f.path;
        files.assign(out.files.begin() + long(f.firstFile),
                     out.files.begin() + long(f.firstFile + f.fileCount));
        std::sort(files.begin(), files.end());
    }
    if (whole) *whole = std::move(out);
    return found;
}

TEST(FolderScanTest, HiddenFoldersAndFilesAreSkippedUnlessAsked) {
    TempDir dir;
    dir.write("a.txt");
    dir.write(".dot.txt");
    dir.write("listed.txt");
    dir.write("skip.txt");
    dir.write("sub/b.txt");
    dir.write(".secret/deep/c.txt");
    dir.write("listedfolder/d.txt");
    dir.write("sub/.hidden", "e.txt\nnested\n");
    dir.write("sub/e.txt");
    dir.write("sub/nested/f.txt");
    dir.write(".hidden", "listed.txt\nlistedfolder\n");

    EXPECT_EQ(scan(dir.path()), (Found{{"", {"a.txt"}}, {"sub/", {"b.txt"}}}));
    EXPECT_EQ(scan(dir.path(), true),
              (Found{{"", {".dot.txt", ".hidden", "a.txt", "listed.txt"}},
                     {".secret/", {}},
                     {".secret/deep/", {"c.txt"}},
                     {"listedfolder/", {"d.txt"}},
                     {"sub/", {".hidden", "b.txt", "e.txt"}},
                     {"sub/nested/", {"f.txt"}}}));
}

TEST(FolderScanTest, LinkedFoldersAreListedButNeverEntered) {
    TempDir dir;
    dir.write("a/x.txt");
    dir.write("b/y.txt");
    ASSERT_EQ(::symlink("..", (dir / "a/up").c_str()), 0);          // a loop
    ASSERT_EQ(::symlink("../b", (dir / "a/tob").c_str()), 0);       // a duplicate
    ASSERT_EQ(::symlink("x.txt", (dir / "a/link.txt").c_str()), 0);  // a file
    ASSERT_EQ(::symlink("gone", (dir / "a/dangling").c_str()), 0);
    EXPECT_EQ(scan(dir.path()), (Found{{"", {}},
                                       {"a/", {"dangling", "link.txt", "x.txt"}},
                                       {"a/tob/", {}},
                                       {"a/up/", {}},
                                       {"b/", {"y.txt"}}}));
}

TEST(FolderScanTest, NamesThatAreNotUtf8AreKeptByteForByte) {
    TempDir dir;
    const std::string folder = "\x83\x74\x83\x48\x83\x8b\x83\x5f";  // Shift-JIS
    const std::string file = "\xff\xfe\x82\xa0.txt";
    dir.write(folder + "/" + file);
    EXPECT_EQ(scan(dir.path()), (Found{{"", {}}, {folder + "/", {file}}}));
}

TEST(FolderScanTest, ATreeDeeperThanTheOpenFolderBudgetIsWalkedWhole) {
    TempDir dir;
    std::string path;
    Found expected{{"", {"f.txt"}}};
    dir.write("f.txt");
    for (int depth = 0; depth < 120; ++depth) {
        path += "d/";
        dir.write(path + "f.txt");
        expected[path] = {"f.txt"};
        if (depth % 3) continue;  // the walk comes back through folders with nothing left to enter
        dir.write(path + "s" + std::to_string(depth) + "/g.txt");
        expected[path + "s" + std::to_string(depth) + "/"] = {"g.txt"};
    }
    EXPECT_EQ(scan(dir.path()), expected);
}

TEST(FolderScanTest, PathsThatWouldReachPathMaxAreLeftOut) {
    TempDir dir;
    // A chain deeper than any path can name, made and removed through descriptors.
    const std::string name(200, 'n');
    std::vector<int> fds{::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY)};
    for (int level = 0; level < 25; ++level) {
        ASSERT_EQ(::mkdirat(fds.back(), name.c_str(), 0755), 0);
        ::close(::openat(fds.back(), "f.txt", O_CREAT | O_WRONLY, 0644));
        fds.push_back(::openat(fds.back(), name.c_str(), O_RDONLY | O_DIRECTORY));
    }
    // Where a chain name no longer fits, a folder whose name takes exactly
    // the room left: listed with its "/", its path would reach PATH_MAX.
    const std::size_t base = dir.path().size() + 1;
    std::size_t level = (PATH_MAX - 1 - base) / (name.size() + 1);
    if (base + level * (name.size() + 1) == PATH_MAX - 1) --level;
    const std::string edge(PATH_MAX - 1 - base - level * (name.size() + 1), 'e');
    ASSERT_EQ(::mkdirat(fds[level], edge.c_str(), 0755), 0);
    // A file whose path takes exactly PATH_MAX - 1 bytes is kept.
    const std::string edgeFile(edge.size(), 'f');
    ::close(::openat(fds[level], edgeFile.c_str(), O_CREAT | O_WRONLY, 0644));
    FolderScan whole;
    const Found found = scan(dir.path(), false, &whole);
    ::unlinkat(fds[level], edge.c_str(), AT_REMOVEDIR);
    ::unlinkat(fds[level], edgeFile.c_str(), 0);
    for (std::size_t i = fds.size() - 1; i > 0; --i) {
        ::unlinkat(fds[i], "f.txt", 0);
        ::close(fds[i]);
        ::unlinkat(fds[i - 1], name.c_str(), AT_REMOVEDIR);
    }
    ::unlinkat(fds[0], "f.txt", 0);
    ::close(fds[0]);
    const std::size_t levels = (PATH_MAX - 1 - dir.path().size() - 1) / (name.size() + 1);
    EXPECT_EQ(found.size(), levels + 1);
    for (const auto& f : whole.folders) EXPECT_LT(f.path.size() + 1, std::size_t(PATH_MAX));
    std::string edgeFolder;
    for (std::size_t i = 0; i < level; ++i) edgeFolder += name + "/";
    ASSERT_EQ(found.count(edgeFolder), 1u);
    EXPECT_EQ(found.at(edgeFolder), (std::vector<std::string>{"f.txt", edgeFile}));
}

TEST(FolderScanTest, AStopRequestEndsTheWalkAfterTheEntryRead) {
    TempDir dir;
    dir.write("a/b/c.txt");
    ScanOptions options;
    options.keepFile = [](std::string_view) { return true; };
    std::atomic<bool> stop{true};
    FolderScan out;
    scanFolderTree(dir.path() + "/", options, stop, out);
    EXPECT_TRUE(out.stopped);
    EXPECT_FALSE(out.startRead);
    EXPECT_EQ(out.folders.size(), 1u);
}

TEST(FolderScanTest, AMountPointIsListedButNotEntered) {
    TempDir dir;
    dir.write("x.txt");
    dir.write("elsewhere/bound.txt");
    const std::string mnt = dir.mkdir("mnt");
    const std::string bind = dir.mkdir("bind");
    if (::geteuid() != 0 || ::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "needs root to mount a tmpfs";
    // A bind mount stays on the same file system: only its mount root tells it.
    const bool bound = ::mount((dir / "elsewhere").c_str(), bind.c_str(), nullptr, MS_BIND, nullptr) == 0;
    dir.write("mnt/inside.txt");
    const Found found = scan(dir.path());
    ::umount(mnt.c_str());
    if (bound) ::umount(bind.c_str());
    ASSERT_TRUE(bound);
    EXPECT_EQ(found, (Found{{"", {"x.txt"}}, {"mnt/", {}}, {"bind/", {}}, {"elsewhere/", {"bound.txt"}}}));
}

// What another program or file system does while the walk goes on, and
// what the walk must still find: one row each.
TEST(FolderScanTest, ChangesUnderTheWalkNeverLeadItOutOfTheTree) {
    struct Case {
        const char* what;
        WalkHooks hooks;
        Found expected;
    };
    TempDir dir;
    const std::string outside = dir.mkdir("outside");
    dir.write("outside/secret.txt");
    dir.write("tree/a.txt");
    dir.write("tree/sub/b.txt");
    const std::string tree = dir / "tree";
    const Case cases[] = {
        {"a folder swapped for a link to a folder outside, between its name and its opening",
         {.beforeOpen =
              [&](int parentFd, const char* name) {
                  if (std::string_view(name) != "sub") return;
                  ::renameat(parentFd, name, parentFd, "sub.old");
                  ::symlinkat(outside.c_str(), parentFd, name);
              },
          .afterStatx = {}},
         {{"", {"a.txt"}}, {"sub/", {}}}},
        {"a folder on another device that statx does not call a mount root (a btrfs subvolume)",
         {.beforeOpen = {},
          .afterStatx =
              [](struct statx& sx) {
                  static int seen = 0;
                  if (++seen > 1) sx.stx_dev_minor ^= 1;  // every folder below the start
                  sx.stx_attributes &= ~std::uint64_t(STATX_ATTR_MOUNT_ROOT);
              }},
         {{"", {"a.txt"}}, {"sub/", {}}}},
    };
    for (const Case& c : cases) {
        Found found;
        {
            ScopedWalkHooks hooks(c.hooks);
            found = scan(tree);
        }
        EXPECT_EQ(found, c.expected) << c.what;
        if (::access((tree + "/sub.old").c_str(), F_OK) == 0) {
            ::unlink((tree + "/sub").c_str());
            ::rename((tree + "/sub.old").c_str(), (tree + "/sub").c_str());
        }
    }
}

// Drops the capabilities that let root read any folder, so that permission
// bits count.
void dropReadOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    ::syscall(SYS_capget, &header, data);
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) data[0].effective &= ~(1u << cap);
    ::syscall(SYS_capset, &header, data);
}

TEST(FolderScanTest, UnreadableFoldersContributeNothing) {
    TempDir dir;
    dir.write("a.txt");
    dir.write("locked/b.txt");
    dir.write("locked/inner/c.txt");
    dir.write("shut/d.txt");
    ::chmod((dir / "locked").c_str(), 0);
    ::chmod((dir / "shut").c_str(), 0100);  // may be passed through, not read
    const std::string root = dir.path();
    const auto scanWithoutOverride = [&] {
        dropReadOverride();
        const Found expected{{"", {"a.txt"}}, {"locked/", {}}, {"shut/", {}}};
        std::exit(scan(root) == expected ? 0 : 1);
    };
    EXPECT_EXIT(scanWithoutOverride(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
