// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine's copy, move, rename, trash, erase and the atomic writer on the
// file systems users copy to (root only; skipped otherwise): a tmpfs, XFS
// and btrfs images, and a FUSE pass-through with and without hard links,
// which knows neither RENAME_NOREPLACE nor O_TMPFILE, passes no syncfs on
// and numbers inodes itself. Each row says which fallback it must take; the
// seam only watches.
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <unistd.h>

#include "EngineFixture.h"
#include "engine/FileOpErrors.h"
#include "engine/PosixFileOps.h"
#include "support/core/MatrixMount.h"
#include "util/IniFileIo.h"
#include "util/SyscallSeam.h"

namespace {

using FsKind = MatrixMount::Kind;

struct FsRow {
    FsKind kind;
    const char* name;
    bool flushesEachMovedCopy;  // syncfs is not passed on
    bool createsFinalNames;     // neither RENAME_NOREPLACE nor links: O_EXCL on the final name
};

void PrintTo(const FsRow& row, std::ostream* out) { *out << row.name; }

class FileSystemMatrixTest : public EngineTest, public ::testing::WithParamInterface<FsRow> {
protected:
    static void TearDownTestSuite() { mounts().clear(); }

    void SetUp() override {
        EngineTest::SetUp();
        auto& mount = mounts()[GetParam().kind];
        if (!mount) mount = std::make_unique<MatrixMount>(GetParam().kind, testHome() + "/matrix-" + GetParam().name);
        if (!mount->skipReason().empty()) GTEST_SKIP() << mount->skipReason();
        area = mount->path() + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(area);
        std::filesystem::create_directories(area);
        // Watched, never changed: which flushes and exclusive creates happen.
        syscalls::Overrides watch;
        watch.fsync = [this](int fd) {
            struct stat st {};
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) ++fileFlushes;
            return ::fsync(fd);
        };
        watch.openat = [this](int dirFd, const char* path, int flags, mode_t mode) {
            if ((flags & O_CREAT) && (flags & O_EXCL)) ++exclusiveCreates;
            return ::openat(dirFd, path, flags, mode);
        };
        seam.emplace(std::move(watch));
    }
    void TearDown() override {
        seam.reset();
        std::error_code ec;
        std::filesystem::remove_all(area, ec);
    }

    static std::map<FsKind, std::unique_ptr<MatrixMount>>& mounts() {
        static std::map<FsKind, std::unique_ptr<MatrixMount>> all;
        return all;
    }

    std::string area;  // a fresh folder on the row's file system
    int fileFlushes = 0;
    int exclusiveCreates = 0;
    std::optional<syscalls::ScopedOverrides> seam;
};

// No temporary of ours is left in folder.
void expectNoTemporaries(const std::string& folder) {
    for (const auto& n : namesIn(folder)) EXPECT_FALSE(posixops::isOurTemporaryName(n)) << folder << "/" << n;
}

TEST_P(FileSystemMatrixTest, CopiesAppearWholeAndReplaceOnlyWhenAllowed) {
    const std::vector<std::string> sources = {dir.write("src/a", "new a"), dir.write("src/b", bytes(300000, 'b')),
                                              dir.write("src/tree/c", "c")};
    ASSERT_EQ(::symlink("a", (dir / "src/link").c_str()), 0);
    const std::string dst = area + "/dst";
    EXPECT_EQ(copy({sources[0], sources[1], dir / "src/tree", dir / "src/link"}, dst, Quiet), 0);
    EXPECT_TRUE(readFile(dst + "/b") == bytes(300000, 'b')) << dst + "/b";
    EXPECT_EQ(readFile(dst + "/tree/c"), "c");
    EXPECT_TRUE(S_ISLNK(statOf(dst + "/link").st_mode));
    EXPECT_EQ(exclusiveCreates > 0, GetParam().createsFinalNames);

    // No keeps the old file; Yes replaces it.
    dir.write("src/a", "newer a");
    ui.overwriteAnswers = {Answer::No};
    EXPECT_EQ(copy({sources[0]}, dst, JobOption::Silent), 0);
    EXPECT_EQ(readFile(dst + "/a"), "new a");
    ui.overwriteAnswers = {Answer::Yes};
    EXPECT_EQ(copy({sources[0]}, dst, JobOption::Silent), 0);
    EXPECT_EQ(readFile(dst + "/a"), "newer a");
    // A second item bound for the same name is refused.
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(copy({dir.write("x/a", "x"), dir.write("y/a", "y")}, area + "/same", Quiet), EEXIST);
    EXPECT_EQ(readFile(area + "/same/a"), "x");
    expectNoTemporaries(dst);
    expectNoTemporaries(area + "/same");
}

TEST_P(FileSystemMatrixTest, MovesGoOnlyOnceTheirCopiesAreSafe) {
    const std::vector<std::string> sources = {dir.write("in/a", "a"), dir.write("in/b", bytes(200000, 'b')),
                                              dir.write("in/tree/c", "c")};
    // Into the file system, within it, and back out of it.
    EXPECT_EQ(move({sources[0], sources[1], dir / "in/tree"}, area + "/moved", Quiet), 0);
    for (const auto& s : sources) EXPECT_FALSE(exists(s)) << s;
    EXPECT_EQ(fileFlushes >= 3, GetParam().flushesEachMovedCopy) << fileFlushes;
    EXPECT_EQ(move({area + "/moved/a", area + "/moved/tree"}, area + "/within", Quiet), 0);
    EXPECT_EQ(readFile(area + "/within/tree/c"), "c");
    EXPECT_EQ(move({area + "/moved/b", area + "/within/a", area + "/within/tree"}, dir / "out", Quiet), 0);
    EXPECT_TRUE(readFile(dir / "out/b") == bytes(200000, 'b')) << dir / "out/b";
    EXPECT_EQ(readFile(dir / "out/a"), "a");
    EXPECT_EQ(readFile(dir / "out/tree/c"), "c");
    // Sources that inode numbers alone would call changed go all the same.
    EXPECT_EQ(namesIn(area + "/moved"), std::vector<std::string>{});
    EXPECT_EQ(namesIn(area + "/within"), std::vector<std::string>{});
    expectNoTemporaries(area + "/moved");
}

TEST_P(FileSystemMatrixTest, RenamesNeverReplace) {
    const std::string x = area + "/x", y = area + "/y";
    std::filesystem::create_directories(area + "/folder");
    writeFileAtomically(x, "x");
    writeFileAtomically(y, "y");
    EXPECT_EQ(posixops::renameNoReplace(x, y), EEXIST);
    EXPECT_EQ(posixops::renameNoReplace(area + "/folder", y), EEXIST);
    EXPECT_EQ(readFile(x), "x");
    EXPECT_EQ(readFile(y), "y");
    // Without RENAME_NOREPLACE and links a file is refused, never renamed
    // after a check that another client could overtake.
    if (GetParam().createsFinalNames) {
        EXPECT_EQ(posixops::renameNoReplace(x, area + "/z"), fileop_error::NoExclusiveRename);
        EXPECT_EQ(namesIn(area), (std::vector<std::string>{"folder", "x", "y"}));
        return;
    }
    EXPECT_EQ(posixops::renameNoReplace(x, area + "/z"), 0);
    EXPECT_EQ(readFile(area + "/z"), "x");
    EXPECT_FALSE(exists(x));
}

TEST_P(FileSystemMatrixTest, EraseAndTheTrashFallbackRemoveEverything) {
    std::filesystem::create_directories(area + "/tree/deep");
    writeFileAtomically(area + "/tree/deep/f", "f");
    writeFileAtomically(area + "/single", "s");
    ASSERT_EQ(::symlink("single", (area + "/link").c_str()), 0);
    EXPECT_EQ(erase({area + "/tree", area + "/link"}, Quiet), 0);
    EXPECT_FALSE(exists(area + "/tree"));
    EXPECT_EQ(readFile(area + "/single"), "s");
    trashBin.result = ITrash::Result::NotSupported;  // the file system's trash cannot take it
    ui.deletePermanentlyAnswers = {Answer::YesToAll};
    EXPECT_EQ(trash({area + "/single"}, JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_EQ(namesIn(area), std::vector<std::string>{});
}

TEST_P(FileSystemMatrixTest, TheWriterReplacesWholeAndThroughALink) {
    const std::string file = area + "/settings.ini";
    EXPECT_TRUE(writeFileAtomically(file, "old"));
    ASSERT_EQ(::symlink("settings.ini", (area + "/link.ini").c_str()), 0);
    EXPECT_TRUE(writeFileAtomically(area + "/link.ini", std::string(100000, 'n')));
    EXPECT_TRUE(S_ISLNK(statOf(area + "/link.ini").st_mode));
    EXPECT_TRUE(readFile(file) == std::string(100000, 'n'));
    EXPECT_EQ(namesIn(area), (std::vector<std::string>{"link.ini", "settings.ini"}));
}

INSTANTIATE_TEST_SUITE_P(FileSystems, FileSystemMatrixTest,
                         ::testing::Values(FsRow{FsKind::Tmpfs, "tmpfs", false, false},
                                           FsRow{FsKind::Xfs, "xfs", false, false},
                                           FsRow{FsKind::Btrfs, "btrfs", false, false},
                                           FsRow{FsKind::Fuse, "fuse", true, false},
                                           FsRow{FsKind::FuseNoLinks, "fuse_without_links", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
