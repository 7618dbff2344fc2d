// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Moves across file systems (a tmpfs, root only): a source goes only when its
// copy is durable and the source is still the file that was copied.
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "EngineFixture.h"
#include "engine/FileOpErrors.h"
#include "engine/PosixFileOps.h"
#include "util/SyscallSeam.h"

namespace {

const std::string Big(1 << 20, 'b');

}  // namespace

class MoveSafetyTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        tuning.chunkBytes = 64 * 1024;
    }
    // Runs change once, while the worker copies the chunks of path.
    void whileCopying(const std::string& path, std::function<void()> change) {
        ui.onUpdate = [this, path, change, done = false]() mutable {
            if (!done && ui.updatedPaths.back() == path &&
                std::count(ui.updatedPaths.begin(), ui.updatedPaths.end(), path) == 3) {
                done = true;
                change();
            }
        };
    }
};

TEST_F(MoveSafetyTest, SourcesChangedAfterTheirCopyAreKept) {
    TmpfsMount other(dir / "other", "16m");
    if (other.skip()) GTEST_SKIP() << "needs root to mount a tmpfs";
    const std::string notes = dir.write("src/notes.txt", "old notes\n");
    const std::string saved = dir.write("src/saved.txt", "old saved\n");
    const std::string edited = dir.write("src/edited.txt", "old text\n");
    setMtime(edited, 1000000000, 0);  // a rewrite in the same clock tick would keep its times
    const std::string large = dir.write("src/large", Big);
    // While large is copied: a line appended to one, another saved anew by
    // rename, as editors do, the third rewritten in place to the same size.
    whileCopying(large, [&] {
        dir.write("src/notes.txt", "old notes\nnew line\n");
        dir.write("src/saved.new", "new saved\n");
        ::rename((dir / "src/saved.new").c_str(), saved.c_str());
        dir.write("src/edited.txt", "new text\n");
    });
    ui.errorAnswers.assign(3, ErrorChoice::Skip);
    EXPECT_EQ(move({notes, saved, edited, large}, other.path(), Shown), EAGAIN);
    EXPECT_EQ(readFile(notes), "old notes\nnew line\n");
    EXPECT_EQ(readFile(saved), "new saved\n");
    EXPECT_EQ(readFile(edited), "new text\n");
    EXPECT_EQ(readFile(other.path() + "/notes.txt"), "old notes\n");
    EXPECT_FALSE(exists(large));
    EXPECT_EQ(readFile(other.path() + "/large"), Big);
    EXPECT_EQ(errorReasons(), std::vector<std::string>(3, (
                                                        fileOpErrorText(fileop_error::SourceChanged))));
}

TEST_F(MoveSafetyTest, ASourceThatGrowsWhileItIsCopiedIsKept) {
    TmpfsMount other(dir / "other", "16m");
    if (other.skip()) GTEST_SKIP() << "needs root to mount a tmpfs";
    const std::string large = dir.write("src/large", Big);
    whileCopying(large, [&] {
        const int fd = ::open(large.c_str(), O_WRONLY | O_APPEND);
        ASSERT_EQ(::write(fd, "more", 4), 4);
        ::close(fd);
    });
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(move({large}, other.path(), Shown), EAGAIN);
    EXPECT_EQ(readFile(large), Big + "more");
    EXPECT_TRUE(namesIn(other.path()).empty());
}

TEST_F(MoveSafetyTest, AFailedFlushKeepsEverySource) {
    TmpfsMount other(dir / "other", "16m");
    if (other.skip()) GTEST_SKIP() << "needs root to mount a tmpfs";
    const std::vector<std::string> sources = {dir.write("src/a", "a"), dir.write("src/b", "b"),
                                              dir.write("src/tree/c", "c")};
    int flushes = 0;
    syscalls::Overrides failing;
    failing.syncfs = [&](int) {
        ++flushes;
        errno = EIO;
        return -1;
    };
    failing.fsync = failing.syncfs;
    syscalls::ScopedOverrides scoped(failing);
    EXPECT_EQ(move({sources[0], sources[1], dir / "src/tree"}, other.path(), Quiet | JobOption::NoErrorUi), EIO);
    EXPECT_GT(flushes, 0);
    for (const auto& s : sources) EXPECT_TRUE(exists(s)) << s;
}

// The order of flushes and renames when files are replaced: at every step a
// crash leaves each target with its old or its new content, whole. Copies are
// written first, then one flush of the file system, the renames, one flush
// more; a move within the file system flushes each file before its rename.
TEST_F(MoveSafetyTest, ReplacementsReachTheDiskBeforeTheirRenames) {
    const std::vector<std::string> names = {"a.txt", "b.txt", "c.txt"};
    std::vector<std::string> sources, targets;
    for (const auto& n : names) {
        sources.push_back(dir / ("src/" + n));
        targets.push_back(dir / ("dst/" + n));
    }
    std::vector<std::string> trace;
    // What each target holds, and how many complete new copies wait.
    const auto state = [&] {
        std::string text;
        for (const auto& t : targets) text += readFile(t) == "new" ? " new" : " old";
        int waiting = 0;
        for (const auto& n : namesIn(dir / "dst"))
            waiting += posixops::isOurTemporaryName(n) && readFile(dir / ("dst/" + n)) == "new";
        return text + ", " + std::to_string(waiting) + " waiting";
    };
    syscalls::Overrides recording;
    recording.fsync = [&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        trace.push_back((S_ISDIR(st.st_mode) ? "flush folder:" : "flush file:") + state());
        return ::fsync(fd);
    };
    recording.syncfs = [&](int fd) {
        trace.push_back("flush all:" + state());
        return ::syncfs(fd);
    };
    recording.renameat = [&](int a, const char* from, int b, const char* to) {
        trace.push_back("rename");
        return ::renameat(a, from, b, to);
    };
    syscalls::ScopedOverrides scoped(recording);
    struct Row {
        JobKind kind;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {JobKind::Copy,
         {"flush all: old old old, 3 waiting", "rename", "rename", "rename", "flush all: new new new, 0 waiting"}},
        {JobKind::Move,
         {"flush file: old old old, 0 waiting", "rename", "flush folder: new old old, 0 waiting",
          "flush file: new old old, 0 waiting", "rename", "flush folder: new new old, 0 waiting",
          "flush file: new new old, 0 waiting", "rename", "flush folder: new new new, 0 waiting"}},
    };
    for (const Row& row : rows) {
        trace.clear();
        for (std::size_t i = 0; i < names.size(); ++i) {
            dir.write("src/" + names[i], "new");
            dir.write("dst/" + names[i], "old");
        }
        EXPECT_EQ(transfer(row.kind, sources, dir / "dst", Quiet), 0);
        EXPECT_EQ(trace, row.expected) << (row.kind == JobKind::Copy ? "copy" : "move");
        EXPECT_EQ(namesIn(dir / "dst"), names);
    }
}
