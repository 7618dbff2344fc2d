// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Faults that live across the items of one job, at links, and on file
// systems whose flushes, renames or inode numbers cannot be trusted (forced
// through the syscall seam; tests/engine/FileSystemMatrixTest.cpp meets the
// real ones).
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <set>
#include <sys/vfs.h>
#include <unistd.h>

#include "EngineFixture.h"
#include "engine/PosixFileOps.h"
#include "util/SyscallSeam.h"

namespace {

using Statuses = std::vector<ItemStatus>;
using Contents = std::vector<std::pair<std::string, std::string>>;  // path, content ("": absent)
constexpr ItemStatus Done = ItemStatus::Done, Failed = ItemStatus::Failed;

Statuses statuses(const JobOutcome& o) {
    Statuses s;
    for (const auto& i : o.items) s.push_back(i.status);
    return s;
}

void expectContents(const TempDir& dir, const Contents& contents) {
    for (const auto& [path, content] : contents) {
        if (content.empty()) EXPECT_FALSE(exists(dir / path)) << path;
        else EXPECT_EQ(readFile(dir / path), content) << path;
    }
}

// fstatfs reports type for every file system.
syscalls::Overrides fileSystemType(long type) {
    syscalls::Overrides o;
    o.fstatfs = [type](int fd, struct statfs* out) {
        const int rc = ::fstatfs(fd, out);
        out->f_type = type;
        return rc;
    };
    return o;
}

// ---- one job never replaces what it wrote itself -----------------------------

struct SameTargetRow {
    const char* what;
    JobKind kind;
    std::vector<std::string> sources;
    std::vector<std::string> targets;  // empty: into dst
    JobOptions options;
    Statuses expected;
    Contents after;
};

class SameTargetTest : public EngineTest, public ::testing::WithParamInterface<SameTargetRow> {};

TEST_P(SameTargetTest, ALaterItemNeverReplacesAnEarlierOne) {
    const SameTargetRow& row = GetParam();
    for (const char* f : {"a/IMG.JPG", "b/IMG.JPG", "a/x/f", "b/x/f", "Photos/p.jpg", "photos/p.jpg"})
        dir.write(f, f);
    std::vector<std::string> sources, targets;
    for (const auto& s : row.sources) sources.push_back(dir / s);
    for (const auto& t : row.targets) targets.push_back(dir / t);
    ui.errorAnswers.assign(4, ErrorChoice::Skip);
    dir.mkdir("dst");
    const int rc = targets.empty() ? transfer(row.kind, sources, dir / "dst", row.options)
                                   : toTargets(row.kind, sources, targets, row.options);
    EXPECT_EQ(statuses(outcome), row.expected) << row.what;
    if (row.expected.back() == Failed) {
        EXPECT_EQ(rc, EEXIST);
        EXPECT_EQ(outcome.items.back().reason, fileop_error::WrittenByJob);
    }
    expectContents(dir, row.after);
}

const JobOptions YesToAll = Quiet;  // every replacement allowed
const JobOptions Renaming = Quiet | JobOption::RenameOnCollision;

INSTANTIATE_TEST_SUITE_P(
    Rows, SameTargetTest,
    ::testing::Values(
        SameTargetRow{"copy into one folder", JobKind::Copy, {"a/IMG.JPG", "b/IMG.JPG"}, {}, YesToAll,
                      {Done, Failed}, {{"dst/IMG.JPG", "a/IMG.JPG"}, {"b/IMG.JPG", "b/IMG.JPG"}}},
        SameTargetRow{"move into one folder", JobKind::Move, {"a/IMG.JPG", "b/IMG.JPG"}, {}, YesToAll,
                      {Done, Failed}, {{"dst/IMG.JPG", "a/IMG.JPG"}, {"b/IMG.JPG", "b/IMG.JPG"}}},
        SameTargetRow{"renamed instead", JobKind::Move, {"a/IMG.JPG", "b/IMG.JPG"}, {}, Renaming,
                      {Done, Done}, {{"dst/IMG.JPG", "a/IMG.JPG"}, {"dst/IMG_01.JPG", "b/IMG.JPG"}}},
        SameTargetRow{"copy over an existing file, then onto the copy", JobKind::Copy,
                      {"a/IMG.JPG", "Photos/p.jpg"}, {"b/x/f", "b/x/f"}, YesToAll, {Done, Failed},
                      {{"b/x/f", "a/IMG.JPG"}}},
        SameTargetRow{"copy to one target each", JobKind::Copy, {"Photos/p.jpg", "photos/p.jpg"},
                      {"dst/Photos/p.jpg", "dst/Photos/p.jpg"}, YesToAll, {Done, Failed},
                      {{"dst/Photos/p.jpg", "Photos/p.jpg"}}},
        SameTargetRow{"move to one target each", JobKind::Move, {"Photos/p.jpg", "photos/p.jpg"},
                      {"dst/Photos/p.jpg", "dst/Photos/p.jpg"}, YesToAll, {Done, Failed},
                      {{"dst/Photos/p.jpg", "Photos/p.jpg"}, {"photos/p.jpg", "photos/p.jpg"}}},
        SameTargetRow{"copied folders merge", JobKind::Copy, {"a/x", "b/x"}, {}, YesToAll,
                      {Done, Failed}, {{"dst/x/f", "a/x/f"}}},
        SameTargetRow{"moved folders merge", JobKind::Move, {"a/x", "b/x"}, {}, YesToAll,
                      {Done, Failed}, {{"dst/x/f", "a/x/f"}, {"b/x/f", "b/x/f"}}}),
    [](const auto& info) { return "row" + std::to_string(info.index); });

// ---- a link and the file it points to are the same file ----------------------

struct LinkRow {
    JobKind kind;
    bool relative;
    JobOptions options;
    int reason;  // 0: done
};

class LinkOntoTargetTest : public EngineTest, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(LinkOntoTargetTest, ALinkNeverReplacesWhatItPointsTo) {
    const LinkRow& row = GetParam();
    const std::string file = dir.write("dst/file", "precious");
    const std::string link = dir.mkdir("src") + "/file";
    ASSERT_EQ(::symlink(row.relative ? "../dst/file" : file.c_str(), link.c_str()), 0);
    ui.errorAnswers = {ErrorChoice::Skip};
    transfer(row.kind, {link}, dir / "dst", row.options);
    EXPECT_EQ(outcome.items[0].reason, row.reason);
    EXPECT_TRUE(S_ISREG(statOf(file).st_mode));
    EXPECT_EQ(readFile(file), "precious");
    if (row.reason) {
        EXPECT_TRUE(S_ISLNK(statOf(link).st_mode));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LinkOntoTargetTest,
                         ::testing::Values(LinkRow{JobKind::Copy, false, Quiet, fileop_error::SameFile},
                                           LinkRow{JobKind::Move, false, Quiet, fileop_error::SameFile},
                                           LinkRow{JobKind::Copy, true, Quiet, fileop_error::SameFile},
                                           LinkRow{JobKind::Move, true, Quiet, fileop_error::SameFile},
                                           LinkRow{JobKind::Copy, false, Renaming, 0}));

// ---- durability where syncfs is not passed on --------------------------------

struct FlushRow {
    long type;
    bool eachCopyFlushed;
};

class MoveFlushTest : public EngineTest, public ::testing::WithParamInterface<FlushRow> {};

TEST_P(MoveFlushTest, EachCopyIsFlushedBeforeItsSourceGoesWhereSyncfsIsNotTrusted) {
    const std::vector<std::string> sources = {dir.write("src/a", "a"), dir.write("src/tree/b", "b"),
                                              dir.write("src/c", bytes(200000, 'c'))};
    std::set<ino_t> flushed;  // regular files flushed while every source was still there
    syscalls::Overrides seam = fileSystemType(GetParam().type);
    seam.renameat2 = [](int, const char*, int, const char*, unsigned) {
        errno = EXDEV;  // as if the target were another file system
        return -1;
    };
    seam.fsync = [&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        bool sourcesThere = true;
        for (const auto& s : sources) sourcesThere = sourcesThere && exists(s);
        if (S_ISREG(st.st_mode) && sourcesThere) flushed.insert(st.st_ino);
        return ::fsync(fd);
    };
    syscalls::ScopedOverrides scoped(seam);
    EXPECT_EQ(move({sources[0], dir / "src/tree", sources[2]}, dir / "dst", Quiet), 0);
    for (const auto& s : sources) EXPECT_FALSE(exists(s));
    for (const char* t : {"dst/a", "dst/tree/b", "dst/c"})
        EXPECT_EQ(flushed.count(statOf(dir / t).st_ino), GetParam().eachCopyFlushed ? 1u : 0u) << t;
}

INSTANTIATE_TEST_SUITE_P(Rows, MoveFlushTest,
                         ::testing::Values(FlushRow{FUSE_SUPER_MAGIC, true}, FlushRow{NFS_SUPER_MAGIC, true},
                                           FlushRow{long(0xFF534D42), true},  // CIFS
                                           FlushRow{EXT4_SUPER_MAGIC, false}, FlushRow{TMPFS_MAGIC, false}));

// ---- neither RENAME_NOREPLACE nor hard links ---------------------------------

enum class Meanwhile { Nothing, NameTaken, CopyFails };

struct ExclusiveRow {
    JobKind kind;
    Meanwhile meanwhile;
    ItemStatus status;
    const char* target;  // what dst/a holds afterwards ("": nothing)
};

class NoExclusiveRenameTest : public EngineTest, public ::testing::WithParamInterface<ExclusiveRow> {};

TEST_P(NoExclusiveRenameTest, TheFinalNameIsCreatedExclusively) {
    const ExclusiveRow& row = GetParam();
    const std::vector<std::string> sources = {dir.write("src/a", "new a"), dir.write("src/b", "b")};
    dir.mkdir("dst");
    std::vector<std::string> exclusive;  // final names created with O_EXCL
    syscalls::Overrides seam;
    seam.renameat2 = [](int, const char*, int, const char*, unsigned) {
        errno = EINVAL;
        return -1;
    };
    seam.linkat = [](int, const char*, int, const char*, int) {
        errno = EPERM;
        return -1;
    };
    seam.openat = [&](int dirFd, const char* path, int flags, mode_t mode) {
        if ((flags & O_EXCL) && (flags & O_CREAT)) {
            exclusive.push_back(path);
            if (row.meanwhile == Meanwhile::NameTaken && exclusive.size() == 1)
                dir.write("dst/a", "another client's a");
        }
        return ::openat(dirFd, path, flags, mode);
    };
    seam.copyFileRange = [&](int in, loff_t* inOff, int out, loff_t* outOff, size_t n, unsigned f) -> ssize_t {
        struct stat st {};
        ::fstat(out, &st);
        if (row.meanwhile == Meanwhile::CopyFails && st.st_ino == statOf(dir / "dst/a").st_ino) {
            errno = ENOSPC;
            return -1;
        }
        return ::copy_file_range(in, inOff, out, outOff, n, f);
    };
    syscalls::ScopedOverrides scoped(seam);
    ui.overwriteAnswers = {Answer::No};
    ui.errorAnswers = {ErrorChoice::Skip};
    transfer(row.kind, sources, dir / "dst", JobOption::Silent | JobOption::NoFolderQuestion);
    EXPECT_EQ(outcome.items[0].status, row.status);
    EXPECT_EQ(exclusive, (std::vector<std::string>{"a", "b"}));
    if (*row.target) EXPECT_EQ(readFile(dir / "dst/a"), row.target);
    else EXPECT_FALSE(exists(dir / "dst/a"));
    EXPECT_EQ(readFile(dir / "dst/b"), "b");
    EXPECT_EQ(exists(sources[0]), row.status != Done || row.kind == JobKind::Copy);
    EXPECT_EQ(ui.count(Kind::Overwrite), row.meanwhile == Meanwhile::NameTaken ? 1u : 0u);
    // No temporary is left behind.
    EXPECT_EQ(namesIn(dir / "dst").size(), *row.target ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NoExclusiveRenameTest,
    ::testing::Values(ExclusiveRow{JobKind::Copy, Meanwhile::Nothing, Done, "new a"},
                      ExclusiveRow{JobKind::Move, Meanwhile::Nothing, Done, "new a"},
                      ExclusiveRow{JobKind::Copy, Meanwhile::NameTaken, ItemStatus::Skipped, "another client's a"},
                      ExclusiveRow{JobKind::Move, Meanwhile::NameTaken, ItemStatus::Skipped, "another client's a"},
                      ExclusiveRow{JobKind::Copy, Meanwhile::CopyFails, Failed, ""},
                      ExclusiveRow{JobKind::Move, Meanwhile::CopyFails, Failed, ""}));

// ---- the unchanged-source check without stable inode numbers -----------------

struct RemovalRow {
    bool stableIdentity;
    bool otherInode;  // the file was given another inode number meanwhile
    bool grew;        // its size changed
    bool removed;
};

class RemovalCheckTest : public ::testing::TestWithParam<RemovalRow> {};

TEST_P(RemovalCheckTest, InodeNumbersAreComparedOnlyWhereTheyAreStable) {
    const RemovalRow& row = GetParam();
    TempDir dir;
    const std::string file = dir.write("src/a", "a");
    posixops::CheckedEntry entry;
    entry.folder = dir / "src";
    entry.folderDev = statOf(entry.folder).st_dev;
    entry.folderIno = statOf(entry.folder).st_ino + (row.otherInode ? 1 : 0);
    entry.name = "a";
    entry.state = statOf(file);
    entry.state.st_ino += row.otherInode ? 1 : 0;
    entry.state.st_size += row.grew ? 1 : 0;
    entry.stableIdentity = row.stableIdentity;
    EXPECT_EQ(posixops::removeIfUnchanged(entry), row.removed ? 0 : fileop_error::Changed);
    EXPECT_EQ(exists(file), !row.removed);
}

INSTANTIATE_TEST_SUITE_P(Rows, RemovalCheckTest,
                         ::testing::Values(RemovalRow{true, false, false, true}, RemovalRow{true, true, false, false},
                                           RemovalRow{false, true, false, true}, RemovalRow{false, true, true, false},
                                           RemovalRow{false, false, true, false}));

// ---- a move or copy that replaced a file, when only the folder flush fails ---

TEST_F(EngineTest, AReplacementWhoseFolderFlushFailsIsDone) {
    syscalls::Overrides seam;
    seam.fsync = [](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        if (!S_ISDIR(st.st_mode)) return ::fsync(fd);
        errno = EIO;
        return -1;
    };
    syscalls::ScopedOverrides scoped(seam);
    for (const JobKind kind : {JobKind::Copy, JobKind::Move}) {
        const std::string source = dir.write("src/a", "new a");
        dir.write("dst/a", "old a");
        EXPECT_EQ(transfer(kind, {source}, dir / "dst", Quiet), 0);
        EXPECT_EQ(statuses(outcome), Statuses{Done});
        EXPECT_EQ(readFile(dir / "dst/a"), "new a");
        EXPECT_EQ(exists(source), kind == JobKind::Copy);
    }
}

// ---- collisions between a file and a folder, and long collision names --------

struct KindRow {
    JobKind kind;
    bool sourceIsFolder;
};

class KindMismatchTest : public EngineTest, public ::testing::WithParamInterface<KindRow> {};

TEST_P(KindMismatchTest, AFileNeverMeetsAFolderOfTheSameNameWithAQuestion) {
    const KindRow& row = GetParam();
    std::string source = dir / "src/same";
    if (row.sourceIsFolder) {
        dir.write("src/same/inner", "in");
        dir.write("dst/same", "target file");
    } else {
        dir.write("src/same", "file");
        dir.write("dst/same/inner", "target folder");
    }
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(transfer(row.kind, {source}, dir / "dst", JobOption::Silent), EEXIST);
    EXPECT_EQ(outcome.items[0].reason, fileop_error::KindMismatch);
    EXPECT_EQ(ui.count(Kind::Overwrite), 0u);
    EXPECT_TRUE(exists(source));
    EXPECT_EQ(readFile(dir / (row.sourceIsFolder ? "dst/same" : "dst/same/inner")),
              row.sourceIsFolder ? "target file" : "target folder");
}

INSTANTIATE_TEST_SUITE_P(Rows, KindMismatchTest,
                         ::testing::Values(KindRow{JobKind::Copy, false}, KindRow{JobKind::Move, false},
                                           KindRow{JobKind::Copy, true}, KindRow{JobKind::Move, true}));

TEST_F(EngineTest, ACollisionNameOneByteOverNameMaxIsCutToFit) {
    // 253 bytes: with "_01" the name would be 256.
    const std::string name(249, 'n');
    const std::string source = dir.write("src/" + name + ".txt", "long");
    dir.write("dst/" + name + ".txt", "old");
    EXPECT_EQ(copy({source}, dir / "dst", Quiet | JobOption::RenameOnCollision), 0);
    const std::string fitted = name.substr(0, 248) + "_01.txt";
    ASSERT_EQ(fitted.size(), 255u);
    EXPECT_EQ(readFile(dir / ("dst/" + fitted)), "long");
    EXPECT_EQ(outcome.items[0].target, dir / ("dst/" + fitted));
}

}  // namespace
