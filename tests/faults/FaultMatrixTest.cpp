// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Faults a user's files meet, on real files through the engine and the real
// service: what each item reports must match the disk, and no byte of an
// original file may be lost.
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "FaultFixture.h"
#include "engine/FileOpErrors.h"
#include "util/SyscallSeam.h"

namespace {

using Answer = IFileOpUi::Answer;

std::string bytes(std::size_t size, char seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = char(seed + i % 251);
    return s;
}

bool makeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof address.sun_path) return false;
    path.copy(address.sun_path, path.size());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

TEST_F(FaultTest, AFullDiskFailsOnlyTheItemsThatDoNotFit) {
    for (const JobKind kind : {JobKind::Copy, JobKind::Move}) {
        const std::string at = kind == JobKind::Copy ? "copy" : "move";
        TmpfsMount tiny(dir / (at + "/tiny"), "2m");
        if (tiny.skip()) GTEST_SKIP() << "mounting a small tmpfs needs root";
        dir.write(at + "/tiny/old", bytes(200000, 'o'));
        const Paths sources = {dir.write(at + "/src/fits", bytes(300000, 'f')),
                               dir.write(at + "/src/big", bytes(1800000, 'b')),
                               dir.write(at + "/src/after", "small"),
                               dir.write(at + "/src2/old", bytes(1800000, 'n'))};
        const Report r = copyMove(kind, sources, tiny.path(), Quiet);
        EXPECT_EQ(r.statuses(), (Statuses{Status::Done, Status::Failed, Status::Done, Status::Failed}));
        EXPECT_EQ(r.outcome.items[1].reason, ENOSPC);
        EXPECT_EQ(r.outcome.items[3].reason, ENOSPC);
        expectTruthful(r);
    }
}

// A file system that allocates late reports a full disk only at the flush:
// the files that would be replaced stay, and so do the sources.
TEST_F(FaultTest, AFullDiskAtTheFlushKeepsTheFilesThatWouldBeReplaced) {
    syscalls::Overrides full;
    full.fsync = [](int) {
        errno = ENOSPC;
        return -1;
    };
    full.syncfs = full.fsync;
    const syscalls::ScopedOverrides seam(full);
    for (const JobKind kind : {JobKind::Copy, JobKind::Move}) {
        const std::string at = kind == JobKind::Copy ? "copy" : "move";
        dir.write(at + "/dst/a", "old a");
        dir.write(at + "/dst/b", "old b");
        const Report r = copyMove(kind, {dir.write(at + "/src/a", bytes(100000, 'a')), dir.write(at + "/src/b", "b")},
                                  dir / (at + "/dst"), Quiet);
        EXPECT_EQ(r.statuses(), Statuses(2, Status::Failed));
        EXPECT_EQ(r.outcome.items[0].reason, ENOSPC);
        expectTruthful(r);
    }
}

TEST_F(FaultTest, AReadOnlyDestinationRefusesEveryItemAndKeepsItsFiles) {
    TmpfsMount readOnly(dir / "ro", "1m");
    if (readOnly.skip()) GTEST_SKIP() << "mounting a tmpfs needs root";
    dir.write("ro/a", "old a");
    ASSERT_TRUE(readOnly.remountReadOnly());
    const Paths sources = {dir.write("src/a", "new a"), dir.write("src/b", "b")};
    for (const JobKind kind : {JobKind::Copy, JobKind::Move}) {
        const Report r = copyMove(kind, sources, readOnly.path(), Quiet);
        EXPECT_EQ(r.statuses(), Statuses(2, Status::Failed));
        EXPECT_EQ(r.outcome.items[1].reason, EROFS);
        expectTruthful(r);
    }
}

TEST_F(FaultTest, PermissionDeniedFailsTheItemAndKeepsBothSides) {
    TmpfsMount other(dir / "other", "4m");
    struct Case {
        const char* what;
        JobKind kind;
        mode_t sourceFolder, sourceFile, destinationFolder;
        bool acrossFileSystems;
        Statuses expected;
    };
    const Statuses failed(2, Status::Failed), done(2, Status::Done);
    const Case cases[] = {
        {"destination not writable", JobKind::Copy, 0755, 0644, 0555, false, failed},
        {"destination not writable", JobKind::Move, 0755, 0644, 0555, false, failed},
        {"source folder not writable", JobKind::Move, 0555, 0644, 0755, false, failed},
        {"source folder not writable", JobKind::Move, 0555, 0644, 0755, true, failed},
        {"source folder not searchable", JobKind::Copy, 0, 0644, 0755, false, failed},
        {"source file not readable", JobKind::Copy, 0755, 0, 0755, false, failed},
        {"source file not readable", JobKind::Move, 0755, 0, 0755, false, done},
        {"source file not readable", JobKind::Move, 0755, 0, 0755, true, failed},
    };
    int n = 0;
    for (const Case& c : cases) {
        if (c.acrossFileSystems && other.skip()) continue;
        const std::string at = "case" + std::to_string(++n);
        SCOPED_TRACE(std::string(c.what) + (c.acrossFileSystems ? ", across file systems" : ""));
        const Paths sources = {dir.write(at + "/src/a", "a" + at), dir.write(at + "/src/b", "b" + at)};
        const std::string destination = dir.mkdir(c.acrossFileSystems ? "other/" + at : at + "/dst");
        prepare = [&] {
            for (const std::string& s : sources) ::chmod(s.c_str(), c.sourceFile);
            ::chmod((dir / (at + "/src")).c_str(), c.sourceFolder);
            ::chmod(destination.c_str(), c.destinationFolder);
        };
        asOwner = true;
        const Report r = copyMove(c.kind, sources, destination, Quiet);
        asOwner = false;
        prepare = nullptr;
        ASSERT_TRUE(ownerRulesApplied) << "permission bits cannot be made to apply here";
        ::chmod((dir / (at + "/src")).c_str(), 0755);
        ::chmod(destination.c_str(), 0755);
        for (const Paths& files : {sources, r.targets})
            for (const std::string& f : files) ::chmod(f.c_str(), 0644);
        EXPECT_EQ(r.statuses(), c.expected);
        expectTruthful(r);
    }
    // A source folder that cannot be searched hides its files: the user is
    // told that none was found.
    EXPECT_EQ(ui.texts, std::vector<std::string>{"ファイルが見つかりませんでした。"});
}

TEST_F(FaultTest, ASourceThatVanishesMidwayFailsAloneAndTheOthersGoOn) {
    for (const JobKind kind : {JobKind::Copy, JobKind::Move, JobKind::Trash, JobKind::Erase}) {
        const std::string at = "kind" + std::to_string(int(kind));
        const Paths sources = {dir.write(at + "/a", "a"), dir.write(at + "/b", "b"), dir.write(at + "/c", "c")};
        fakeFileOpUi().onUpdate = [&] {
            if (fakeFileOpUi().updatedPaths.back() == sources[0]) ::unlink(sources[1].c_str());
        };
        fakeFileOpUi().errorAnswers = {IFileOpUi::ErrorChoice::Skip};
        const Report r = kind == JobKind::Copy || kind == JobKind::Move
                             ? copyMove(kind, sources, dir / (at + "/dst"), {Opt::NonConfirmMkDir, Opt::NoErrorUi})
                             : remove(kind, sources);
        EXPECT_EQ(r.statuses(), (Statuses{Status::Done, Status::Failed, Status::Done}));
        EXPECT_EQ(r.outcome.items[1].reason, ENOENT);
        forget(sources[1]);
        expectTruthful(r);
    }
}

// Another program makes the target of the second item while the first is
// copied, or at the very moment the copy is linked in.
TEST_F(FaultTest, ATargetThatAppearsMidwayIsReplacedOnlyWithConsent) {
    struct Case {
        const char* what;
        JobKind kind;
        bool atLink;
        OperationOptions options;
        std::deque<Answer> answers;
        Status expected;
        bool foreignKept;
    };
    const Case cases[] = {
        {"asked, No", JobKind::Copy, false, {Opt::NonConfirmMkDir}, {Answer::No}, Status::Skipped, true},
        {"asked, No", JobKind::Move, false, {Opt::NonConfirmMkDir}, {Answer::No}, Status::Skipped, true},
        {"asked at linking, No", JobKind::Copy, true, {Opt::NonConfirmMkDir}, {Answer::No}, Status::Skipped, true},
        {"asked at linking, Yes", JobKind::Copy, true, {Opt::NonConfirmMkDir}, {Answer::Yes}, Status::Done, false},
        {"renamed", JobKind::Copy, false, {Opt::NonConfirmMkDir, Opt::RenameOnCollision}, {}, Status::Done, true},
        {"renamed", JobKind::Move, false, {Opt::NonConfirmMkDir, Opt::RenameOnCollision}, {}, Status::Done, true},
        {"renamed at linking", JobKind::Copy, true, {Opt::NonConfirmMkDir, Opt::RenameOnCollision}, {}, Status::Done, true},
        {"yes to all", JobKind::Move, false, {Opt::NonConfirmMkDir, Opt::NonConfirmation}, {}, Status::Done, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + (c.kind == JobKind::Copy ? " (copy)" : " (move)"));
        const std::string at = "case" + std::to_string(++n);
        const Paths sources = {dir.write(at + "/a", bytes(100000, 'a')), dir.write(at + "/b", "b")};
        const std::string destination = dir.mkdir(at + "/dst");
        const std::string foreign = destination + "/b";
        auto appear = [&] {
            dir.write(at + "/dst/b", "foreign");
            forget(foreign);
            remember({foreign});
        };
        fakeFileOpUi().reset();
        fakeFileOpUi().overwriteAnswers = c.answers;
        fakeFileOpUi().onUpdate = [&] {
            if (!c.atLink && fakeFileOpUi().updatedPaths.back() == sources[0] && !exists(foreign)) appear();
        };
        syscalls::Overrides atLink;
        atLink.linkat = [&](int oldDir, const char* oldPath, int newDir, const char* newPath, int flags) {
            if (std::string(newPath) == "b" && !exists(foreign)) appear();
            return ::linkat(oldDir, oldPath, newDir, newPath, flags);
        };
        std::optional<syscalls::ScopedOverrides> seam;
        if (c.atLink) seam.emplace(atLink);
        const Report r = copyMove(c.kind, sources, destination, c.options);
        seam.reset();
        EXPECT_EQ(r.statuses(), (Statuses{Status::Done, c.expected}));
        EXPECT_EQ(readFile(foreign) == "foreign", c.foreignKept);
        expectTruthful(r);
    }
}

TEST_F(FaultTest, MovesAcrossFileSystemsArriveWholeInBothDirections) {
    TmpfsMount other(dir / "other", "16m");
    if (other.skip()) GTEST_SKIP() << "mounting a tmpfs needs root";
    for (const bool outward : {true, false}) {
        const std::string from = outward ? dir.mkdir("disk") : other.path() + "/from";
        const std::string to = outward ? other.path() + "/to" : dir / "back";
        const std::string rel = from.substr(dir.path().size() + 1);
        const Paths sources = {dir.write(rel + "/large", bytes(3 << 20, outward ? 'l' : 'm')),
                               dir.write(rel + "/empty", ""), from + "/link"};
        ASSERT_EQ(::symlink("large", sources[2].c_str()), 0);
        const Report r = copyMove(JobKind::Move, sources, to, Quiet);
        EXPECT_EQ(r.statuses(), Statuses(3, Status::Done));
        expectTruthful(r);
    }
}

// A source moved to another file system goes only after its copy is
// flushed, in batches; a later item that takes its name must find the name
// free, not the old file to replace (which then counted as changed and was
// kept, and the earlier item reported failed beside its complete copy).
TEST_F(FaultTest, ANameAMoveLeftIsFreeForTheItemsAfterIt) {
    TmpfsMount other(dir / "other", "4m");
    if (other.skip()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const Paths sources = {dir.write("other/first", "first"), dir.write("other/second", "second")};
    const Report r = toTargets(JobKind::Move, sources, {dir.mkdir("disk") + "/first", sources[0]});
    EXPECT_EQ(r.statuses(), Statuses(2, Status::Done));
    EXPECT_TRUE(fakeFileOpUi().questions.empty());
    expectTruthful(r);
}

TEST_F(FaultTest, AFileCopiedOrMovedOntoItselfIsNeverTruncated) {
    struct Case {
        JobKind kind;
        bool rename;
        Status expected;
        const char* target;
    };
    const Case cases[] = {{JobKind::Copy, false, Status::Failed, "x.txt"},
                          {JobKind::Copy, true, Status::Done, "x_01.txt"},
                          {JobKind::Move, false, Status::Failed, "x.txt"},
                          {JobKind::Move, true, Status::Done, "x_01.txt"}};
    int n = 0;
    for (const Case& c : cases) {
        const std::string at = "case" + std::to_string(++n);
        const std::string source = dir.write(at + "/x.txt", bytes(200000, 'x'));
        OperationOptions options = Quiet;
        options.set(Opt::RenameOnCollision, c.rename);
        const Report r = copyMove(c.kind, {source}, dir / at, options);
        EXPECT_EQ(r.statuses(), Statuses{c.expected});
        EXPECT_EQ(r.targets, Paths{dir / (at + "/" + c.target)});
        expectTruthful(r);
    }
}

TEST_F(FaultTest, SymlinkLoopsAreCarriedAsLinksAndNeverFollowed) {
    const std::string loops = dir.mkdir("tree/loops");
    const std::string outside = dir.write("tree/outside.txt", "outside");
    const Paths links = {loops + "/self", loops + "/ping", loops + "/pong", loops + "/up"};
    for (const auto& [link, text] : {std::pair{links[0], "self"}, {links[1], "pong"}, {links[2], "ping"}, {links[3], ".."}})
        ASSERT_EQ(::symlink(text, link.c_str()), 0);
    const Report copied = copyMove(JobKind::Copy, links, dir / "copies", Quiet);
    EXPECT_EQ(copied.statuses(), Statuses(4, Status::Done));
    expectTruthful(copied);
    const Report moved = copyMove(JobKind::Move, copied.targets, dir / "moved", Quiet);
    EXPECT_EQ(moved.statuses(), Statuses(4, Status::Done));
    expectTruthful(moved);
    const Report erased = remove(JobKind::Erase, moved.targets);
    EXPECT_EQ(erased.statuses(), Statuses(4, Status::Done));
    expectTruthful(erased);
    // Erasing the folder that holds them takes the links, not what they reach.
    EXPECT_EQ(engine.DeleteFolder(loops, true), 0);
    EXPECT_FALSE(exists(loops));
    EXPECT_EQ(readFile(outside), "outside");
}

TEST_F(FaultTest, FifosAndSocketsInAListAreNeverRead) {
    TmpfsMount other(dir / "other", "1m");
    struct Case {
        const char* what;
        JobKind kind;
        bool acrossFileSystems;
        Status expected;
    };
    const Case cases[] = {{"copy", JobKind::Copy, false, Status::Failed},
                          {"move", JobKind::Move, false, Status::Done},
                          {"move across", JobKind::Move, true, Status::Failed},
                          {"trash", JobKind::Trash, false, Status::Done},
                          {"erase", JobKind::Erase, false, Status::Done}};
    int n = 0;
    for (const Case& c : cases) {
        if (c.acrossFileSystems && other.skip()) continue;
        SCOPED_TRACE(c.what);
        const std::string at = dir.mkdir("case" + std::to_string(++n));
        const Paths specials = {at + "/fifo", at + "/sock", dir.write("case" + std::to_string(n) + "/plain", "p")};
        ASSERT_EQ(::mkfifo(specials[0].c_str(), 0644), 0);
        ASSERT_TRUE(makeSocket(specials[1]));
        const std::string destination = c.acrossFileSystems ? other.path() + "/" + std::to_string(n) : at + "/dst";
        // Erasing asks about special files once, then not again.
        ui.answers = {EngineUi::Answer::Yes, EngineUi::Answer::No};
        const Report r = c.kind == JobKind::Copy || c.kind == JobKind::Move
                             ? copyMove(c.kind, specials, destination, Quiet)
                             : remove(c.kind, specials);
        ui.answers.clear();
        EXPECT_EQ(r.statuses(), (Statuses{c.expected, c.expected, Status::Done}));
        if (c.expected == Status::Failed) {
            EXPECT_EQ(r.outcome.items[0].reason, fileop_error::SpecialFile);
        }
        expectTruthful(r);
    }
}

}  // namespace
