// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "engine/EmptyFolders.h"
#include "support/core/TestFiles.h"
#include "util/SyscallSeam.h"

namespace {

using Paths = std::vector<std::string>;

// A small tmpfs at where while the object lives (root only).
class Tmpfs {
public:
    explicit Tmpfs(const std::string& where) : where_(where) {
        std::filesystem::create_directories(where);
        mounted_ = ::geteuid() == 0 && ::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=1m") == 0;
    }
    ~Tmpfs() {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    std::string where_;
    bool mounted_ = false;
};

EmptyFolderRemoval removeBelow(const std::string& start) {
    EmptyFolderRemoval result;
    removeEmptyFolders(start, result);
    return result;
}

TEST(EmptyFolders, AStartHoldingOnlyEmptyTreesGoesTooWhateverTheirShape) {
    TempDir dir;
    const std::string s = dir.mkdir("s");
    for (const char* p : {"s/a/b/c/d/e", "s/a/f", "s/g/h/i", "s/g/h/j", "s/k"}) dir.mkdir(p);
    const auto result = removeBelow(s + "/");
    EXPECT_EQ(result.removed.size(), 12u);
    EXPECT_EQ(result.removed.front(), s);
    EXPECT_FALSE(exists(s));
}

TEST(EmptyFolders, LinkedFoldersAreNeitherEnteredNorRemoved) {
    TempDir dir;
    const std::string s = dir.mkdir("s");
    const std::string outside = dir.mkdir("outside/empty");
    std::filesystem::create_directory_symlink(dir / "outside", s + "/link");
    dir.mkdir("s/x");
    EXPECT_EQ(removeBelow(s).removed, Paths{s + "/x"});
    EXPECT_TRUE(exists(outside));
    EXPECT_TRUE(std::filesystem::is_symlink(s + "/link"));

    // A start that is a link to a folder is walked, but never removed.
    std::filesystem::create_directory_symlink(dir / "outside", dir / "start-link");
    EXPECT_EQ(removeBelow(dir / "start-link").removed, Paths{dir / "start-link/empty"});
    EXPECT_TRUE(exists(dir / "outside"));
}

// Another program puts a new folder where a found one was, between the walk
// and its removal: the new one is not the user's to lose.
TEST(EmptyFolders, AFolderSwappedAfterTheWalkStays) {
    TempDir dir;
    const std::string s = dir.mkdir("s");
    dir.mkdir("s/a");
    dir.mkdir("s/b");
    bool swapped = false;
    syscalls::Overrides swapping;
    swapping.unlinkat = [&](int fd, const char* path, int flags) {
        if (!swapped) {  // "b" goes first, deepest and last in order
            swapped = true;
            std::filesystem::rename(s + "/a", dir / "a-kept");
            std::filesystem::create_directory(s + "/a");
        }
        return ::unlinkat(fd, path, flags);
    };
    syscalls::ScopedOverrides scoped(swapping);
    EXPECT_EQ(removeBelow(s).removed, Paths{s + "/b"});
    EXPECT_TRUE(exists(s + "/a"));
}

// Folders other programs keep their state in, even empty: dot-folders (git's
// refs/), a mail folder's cur/new/tmp, and mount points the fstab names,
// mounted or not.
TEST(EmptyFolders, FoldersOtherProgramsKeepAreLeftAlone) {
    TempDir dir;
    const std::string s = dir.mkdir("s");
    const Paths kept = {s + "/.git/refs/heads", s + "/Mail/cur", s + "/Mail/new", s + "/Mail/tmp",
                        s + "/boot", s + "/my disk"};
    for (const auto& k : kept) std::filesystem::create_directories(k);
    dir.mkdir("s/Mail/.Sent");
    dir.mkdir("s/empty");
    const std::string fstab = dir.write("fstab", "# <file system> <mount point> <type>\n"
                                                 "UUID=1 " + s + "/boot ext4 defaults 0 2\n"
                                                 "/dev/sdb1 " + s + "/my\\040disk vfat noauto 0 0\n"
                                                 "/swapfile none swap sw 0 0\n");
    const std::string listedBefore = emptyFolderSources().fstab;
    emptyFolderSources().fstab = fstab;
    const auto result = removeBelow(s);
    emptyFolderSources().fstab = listedBefore;
    EXPECT_EQ(result.removed, Paths{s + "/empty"});
    for (const auto& k : kept) EXPECT_TRUE(exists(k)) << k;
}

TEST(EmptyFolders, MountedFileSystemsAreNeitherEnteredNorRemoved) {
    TempDir dir;
    const std::string s = dir.mkdir("s");
    Tmpfs inside(s + "/volume");
    Tmpfs start(dir / "mounted");
    if (!inside.mounted() || !start.mounted()) GTEST_SKIP() << "needs root to mount a tmpfs";
    dir.mkdir("s/volume/empty");
    dir.mkdir("mounted/empty");
    EXPECT_EQ(removeBelow(s).removed, Paths{});
    EXPECT_TRUE(exists(s + "/volume/empty"));
    // A mount point as the start: what is below goes, the mount point stays.
    EXPECT_EQ(removeBelow(dir / "mounted").removed, Paths{dir / "mounted/empty"});
    EXPECT_TRUE(exists(dir / "mounted"));
}

}  // namespace
