// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Walks never follow a folder swapped for a link, never cross into another
// file system, keep holes, close every folder they open, and leave nothing
// behind but what was asked for.
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "EngineFixture.h"
#include "engine/PosixFileOps.h"
#include "util/SyscallSeam.h"


namespace {

int openDescriptors() {
    int n = 0;
    if (DIR* d = ::opendir("/proc/self/fd")) {
        while (::readdir(d)) ++n;
        ::closedir(d);
    }
    return n;
}

}  // namespace

TEST_F(EngineTest, AFolderSwappedForALinkIsNeverFollowed) {
    const std::string outside = dir.write("outside/precious.txt", "precious");
    dir.write("tree/sub/inner.txt", "inner");
    TmpfsMount other(dir / "other", "16m");
    const std::string sub = dir / "tree/sub";
    // Right after the walk has seen tree/sub as a folder, another program
    // puts a link to another folder in its place.
    ui.onUpdate = [&] {
        if (ui.updatedPaths.back() != sub || exists(dir / "tree/sub.real")) return;
        ::rename(sub.c_str(), (dir / "tree/sub.real").c_str());
        ::symlink((dir / "outside").c_str(), sub.c_str());
    };
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_NE(copy({dir / "tree"}, dir / "copy", Shown), 0);
    EXPECT_FALSE(exists(dir / "copy/tree/sub/precious.txt"));
    EXPECT_EQ(ui.count(Kind::Error), 1u);

    // A move to another file system would have emptied the other folder.
    if (other.skip()) return;
    ::unlink(sub.c_str());
    ::rename((dir / "tree/sub.real").c_str(), sub.c_str());
    ui.reset();
    ui.onUpdate = [&] {
        if (ui.updatedPaths.back() != sub || exists(dir / "tree/sub.real")) return;
        ::rename(sub.c_str(), (dir / "tree/sub.real").c_str());
        ::symlink((dir / "outside").c_str(), sub.c_str());
    };
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_NE(move({dir / "tree"}, other.path(), Shown), 0);
    EXPECT_EQ(readFile(outside), "precious");
    EXPECT_FALSE(exists(other.path() + "/tree/sub/precious.txt"));
}

TEST_F(EngineTest, MountedFileSystemsAreNeverEmptied) {
    dir.write("my tree/plain.txt", "plain");
    TmpfsMount mounted(dir / "my tree/volume", "1m");  // a blank is escaped in the mount table
    if (mounted.skip()) GTEST_SKIP() << "needs root to mount a tmpfs";
    const std::string onVolume = dir.write("my tree/volume/data.txt", "on the volume");
    const std::string volume = mounted.path();
    trashBin.result = ITrash::Result::Trashed;

    // A listed mount point is refused, to the trash or for good.
    ui.errorAnswers = {ErrorChoice::Skip, ErrorChoice::Skip};
    EXPECT_EQ(erase({volume}, JobOption::Silent | JobOption::NoConfirmation), EBUSY);
    EXPECT_EQ(trash({volume}, JobOption::Silent | JobOption::NoConfirmation), EBUSY);
    // A folder that holds one does not go to the trash (which would move
    // the mounted volume along).
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(trash({dir / "my tree"}, JobOption::Silent | JobOption::NoConfirmation),
              EBUSY);
    EXPECT_TRUE(trashBin.calls.empty());
    // Erased, it loses everything but the volume, which is reported.
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(erase({dir / "my tree"}, JobOption::Silent | JobOption::NoConfirmation), EBUSY);
    EXPECT_EQ(readFile(onVolume), "on the volume");
    EXPECT_FALSE(exists(dir / "my tree/plain.txt"));
    ASSERT_EQ(ui.count(Kind::Error), 4u);
    EXPECT_EQ(ui.questions.back().paths, std::vector<std::string>{volume});

    // Moved to another file system, the volume is not copied or emptied.
    TmpfsMount other(dir / "other", "4m");
    ui.reset();
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(move({dir / "my tree"}, other.path(), JobOption::Silent | JobOption::NoConfirmation), EBUSY);
    EXPECT_EQ(readFile(onVolume), "on the volume");
    EXPECT_FALSE(exists(other.path() + "/my tree/volume/data.txt"));
}

TEST_F(EngineTest, SparseFilesStaySparse) {
    const std::string sparse = dir / "src/sparse";
    dir.mkdir("src");
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, "head", 4, 0), 4);
    ASSERT_EQ(::pwrite(fd, "middle", 6, 32 << 20), 6);
    ASSERT_EQ(::ftruncate(fd, 64 << 20), 0);
    ::close(fd);
    if (statOf(sparse).st_blocks * 512 >= 1 << 20) GTEST_SKIP() << "the file system keeps no holes";

    EXPECT_EQ(copy({sparse}, dir / "dst", Quiet), 0);
    const struct stat copied = statOf(dir / "dst/sparse");
    EXPECT_EQ(copied.st_size, 64 << 20);
    EXPECT_LT(copied.st_blocks * 512, 1 << 20);
    EXPECT_EQ(readFile(dir / "dst/sparse"), readFile(sparse));
}

// Where unnamed files cannot be made (no O_TMPFILE) or linked in, a named
// temporary is used.
class UnnamedRefusedTest : public EngineTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnnamedRefusedTest, ANamedTemporaryIsUsed) {
    const bool linkRefused = GetParam();
    const std::string a = dir.write("src/a", "a data");
    const std::string b = dir.write("src/b", std::string(100000, 'b'));
    int refused = 0;
    syscalls::Overrides seam;
    if (linkRefused) {
        seam.linkat = [&](int, const char*, int, const char*, int) {
            ++refused;
            errno = EPERM;
            return -1;
        };
    } else {
        seam.openat = [&](int dirFd, const char* path, int flags, mode_t mode) {
            if ((flags & O_TMPFILE) != O_TMPFILE) return ::openat(dirFd, path, flags, mode);
            ++refused;
            errno = EOPNOTSUPP;
            return -1;
        };
    }
    syscalls::ScopedOverrides scoped(seam);
    EXPECT_EQ(copy({a, b}, dir / "dst", Quiet), 0);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(readFile(dir / "dst/a"), "a data");
    EXPECT_TRUE(readFile(dir / "dst/b") == std::string(100000, 'b'));
    EXPECT_EQ(namesIn(dir / "dst"), (std::vector<std::string>{"a", "b"}));
}

INSTANTIATE_TEST_SUITE_P(LinkOrUnnamedFile, UnnamedRefusedTest, ::testing::Bool());

TEST_F(EngineTest, CrashLeftoversOfOursAreRemovedWhenTheFolderIsWrittenAgain) {
    const std::string a = dir.write("src/a", "a");
    const std::vector<std::string> stale = {".dorvanquellis-0123456789ab.part", ".dorvan-abcdefgh.part"};
    const std::vector<std::string> kept = {".dorvanquellis-stillopen123.part", ".dorvan-mine.part", "x.part"};
    for (const auto& n : stale) dir.write("dst/" + n, "partial");
    for (const auto& n : kept) dir.write("dst/" + n, "keep");
    const int held = ::open((dir / ("dst/" + kept[0])).c_str(), O_RDONLY);  // a copy still writing
    tuning.leftoversBefore = std::time(nullptr) + 60;  // as if written before this process started
    
    EXPECT_EQ(copy({a}, dir / "dst", Quiet), 0);
    ::close(held);
    std::vector<std::string> expected = kept;
    expected.push_back("a");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(dir / "dst"), expected);
}

TEST_F(EngineTest, WalksCloseEveryFolderTheyOpen) {
    for (int i = 0; i < 2400; ++i) dir.mkdir("tree/" + std::to_string(i % 40) + "/" + std::to_string(i));
    dir.write("tree/0/0/file", "f");
    const int before = openDescriptors();
    EXPECT_EQ(copy({dir / "tree"}, dir / "copy", Quiet), 0);
    EXPECT_EQ(readFile(dir / "copy/tree/0/0/file"), "f");
    EXPECT_EQ(erase({dir / "tree", dir / "copy"}, Quiet), 0);
    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(openDescriptors(), before);
}

TEST_F(EngineTest, CancelWhileReplacingKeepsTheOldFile) {
    tuning.chunkBytes = 64 * 1024;
    
    const std::string large = dir.write("src/large", std::string(1 << 20, 'n'));
    const std::string target = dir.write("dst/large", "old");
    const ino_t before = statOf(target).st_ino;
    ui.cancelAfterUpdates = 4;
    EXPECT_EQ(copy({large}, dir / "dst", JobOption::NoConfirmation), ECANCELED);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(statOf(target).st_ino, before);
    EXPECT_EQ(namesIn(dir / "dst"), std::vector<std::string>{"large"});
}

TEST(PosixFileOps, RenameNoReplaceNeverReplaces) {
    TempDir dir;
    const std::string from = dir.write("from", "from");
    const std::string to = dir.write("to", "to");
    EXPECT_EQ(posixops::renameNoReplace(from, to), EEXIST);
    EXPECT_EQ(readFile(from), "from");
    EXPECT_EQ(readFile(to), "to");
}
