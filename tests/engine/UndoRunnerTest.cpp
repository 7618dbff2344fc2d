// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/EmptyFolders.h"
#include "engine/JobExecutor.h"
#include "engine/FileOperation.h"
#include "engine/PosixFileSystem.h"
#include "engine/UndoJournal.h"
#include "engine/UndoRunner.h"
#include "engine/EngineFixture.h"
#include "support/core/EngineDoubles.h"
#include "support/core/ScriptedCallbacks.h"
#include "support/core/TestFiles.h"
#include "support/core/TmpfsMount.h"
#include "util/SyscallSeam.h"

namespace {

class EngineRunner : public FileJobRunner {
public:
    JobOutcome run(const FileJob& job) override { return JobExecutor(ui, nullptr).run(job); }
    ScriptedCallbacks ui;
};

// Commands recorded into a journal, then undone and redone by a journal
// read afresh, as after a restart.
class UndoRunnerTest : public ::testing::Test {
protected:
    void command(const std::function<void()>& steps) {
        UndoJournal journal(journalFolder);
        journal.load();
        journal.beginCommand("command");
        {
            CurrentUndoRecorder current(journal.recorder());
            steps();
        }
        journal.endCommand();
    }
    void transfer(JobKind kind, const std::vector<std::string>& sources, const std::string& folder) {
        command([&] {
            FileJob job;
            job.kind = kind;
            job.sources = sources;
            job.targetFolder = folder;
            job.options = {JobOption::Silent, JobOption::NoConfirmation, JobOption::NoFolderQuestion};
            runner.run(job);
        });
    }
    UndoResult phase(bool undo) {
        UndoJournal journal(journalFolder);
        journal.load();
        const auto info = undo ? journal.nextUndo() : journal.nextRedo();
        UndoEntry entry;
        if (!info || !journal.read(*info, entry)) {
            ADD_FAILURE() << "no entry";
            return {};
        }
        const auto writer = journal.beginPhase(*info, entry, undo);
        const UndoServices services{runner, fs, ui};
        return undo ? undoEntry(entry, *writer, services) : redoEntry(entry, *writer, services);
    }
    std::vector<std::string> reasons(const UndoResult& r) {
        std::vector<std::string> out;
        for (const auto& x : r.refused) out.push_back(x.path + ": " + x.reason);
        return out;
    }

    TempDir dir;
    std::string journalFolder = dir / "journal";
    EngineRunner runner;
    PosixFileSystem fs;
    RecordingEngineUi ui;
};

}  // namespace

TEST_F(UndoRunnerTest, AMoveGoesBackByteExactAndComesAgain) {
    std::vector<std::string> sources;
    for (int i = 0; i < 50; ++i) sources.push_back(dir.write("src/f" + std::to_string(i), std::string(i * 97, char('a' + i % 26))));
    dir.write("src/tree/deep/x", "deep");
    sources.push_back(dir / "src/tree");
    dir.mkdir("dst");
    transfer(JobKind::Move, sources, dir / "dst");
    ASSERT_FALSE(exists(dir / "src/f0"));
    UndoResult r = phase(true);
    EXPECT_EQ(r.done, 51u);
    EXPECT_TRUE(r.refused.empty()) << ::testing::PrintToString(reasons(r));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(readFile(dir / ("src/f" + std::to_string(i))), std::string(i * 97, char('a' + i % 26)));
    EXPECT_EQ(readFile(dir / "src/tree/deep/x"), "deep");
    EXPECT_TRUE(namesIn(dir / "dst").empty());
    r = phase(false);
    EXPECT_EQ(r.done, 51u);
    EXPECT_EQ(readFile(dir / "dst/tree/deep/x"), "deep");
    EXPECT_FALSE(exists(dir / "src/f7"));
    EXPECT_EQ(phase(true).done, 51u);  // and back once more
    EXPECT_EQ(readFile(dir / "src/f7"), std::string(7 * 97, 'h'));
}

TEST_F(UndoRunnerTest, ACopyIsRemovedWithTheFoldersItMadeAndMadeAgain) {
    const std::string a = dir.write("src/a", "A");
    dir.write("src/tree/sub/b", "B");
    dir.mkdir("src/tree/empty");
    dir.mkdir("dst");
    transfer(JobKind::Copy, {a, dir / "src/tree"}, dir / "dst");
    ASSERT_EQ(readFile(dir / "dst/tree/sub/b"), "B");
    UndoResult r = phase(true);
    EXPECT_TRUE(r.refused.empty()) << ::testing::PrintToString(reasons(r));
    EXPECT_TRUE(namesIn(dir / "dst").empty());
    EXPECT_EQ(readFile(dir / "src/tree/sub/b"), "B");
    r = phase(false);
    EXPECT_TRUE(r.refused.empty()) << ::testing::PrintToString(reasons(r));
    EXPECT_EQ(readFile(dir / "dst/tree/sub/b"), "B");
    EXPECT_TRUE(exists(dir / "dst/tree/empty"));
    EXPECT_EQ(readFile(dir / "dst/a"), "A");
}

// Every refusal leaves the item as it is and names the reason.
TEST_F(UndoRunnerTest, AnItemThatCannotGoBackIsLeftAndListed) {
    struct Case {
        const char* name;
        JobKind kind;
        std::function<void(TempDir&)> meanwhile;
        std::deque<EngineUi::Answer> answers;
        const char* reason;  // empty: undone
        const char* left;    // the file that must hold "new" afterwards, if any
    };
    const Case cases[] = {
        {"moved file changed", JobKind::Move, [](TempDir& d) { d.write("dst/f", "new"); }, {}, "操作の後で変更されています。", "dst/f"},
        {"old place taken", JobKind::Move, [](TempDir& d) { d.write("src/f", "new"); }, {}, "元の場所に別のものがあります。", "src/f"},
        {"moved file gone", JobKind::Move, [](TempDir& d) { ::unlink((d / "dst/f").c_str()); }, {}, "見つかりません。", nullptr},
        {"moved file swapped for a twin", JobKind::Move,
         [](TempDir& d) {
             const struct stat st = statOf(d / "dst/f");
             const std::string twin = d.write("dst/g", "old");
             setMtime(twin, st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
             ::rename(twin.c_str(), (d / "dst/f").c_str());
         },
         {}, "操作の後で変更されています。", nullptr},
        {"copy changed, kept", JobKind::Copy, [](TempDir& d) { d.write("dst/f", "new"); }, {EngineUi::Answer::No},
         "コピーの後で変更されているので残しました。", "dst/f"},
        {"copy's source gone", JobKind::Copy, [](TempDir& d) { ::unlink((d / "src/f").c_str()); d.write("dst/f", "new"); }, {},
         "コピー元が変わったか見つからないので、コピーを残しました。", "dst/f"},
        {"copy changed, removed", JobKind::Copy, [](TempDir& d) { d.write("dst/f", "new"); }, {EngineUi::Answer::Yes}, "", nullptr},
        {"copy replaced by another file", JobKind::Copy,
         [](TempDir& d) { ::rename(d.write("dst/g", "new").c_str(), (d / "dst/f").c_str()); }, {}, "別のものに置き換わっています。", "dst/f"},
    };
    for (const Case& c : cases) {
        TempDir d;
        const std::string f = d.write("src/f", "old");
        d.mkdir("dst");
        journalFolder = d / "journal";
        transfer(c.kind, {f}, d / "dst");
        c.meanwhile(d);
        ui.answers = c.answers;
        const UndoResult r = phase(true);
        if (*c.reason) {
            ASSERT_EQ(r.refused.size(), 1u) << c.name;
            EXPECT_EQ(r.refused[0].reason, c.reason) << c.name;
        } else {
            EXPECT_TRUE(r.refused.empty()) << c.name;
            EXPECT_FALSE(exists(d / "dst/f")) << c.name;
        }
        if (c.left) {
            EXPECT_EQ(readFile(d / c.left), "new") << c.name;
        }
        EXPECT_TRUE(ui.answers.empty()) << c.name;
    }
}

TEST_F(UndoRunnerTest, AStepRecordedJustBeforeACrashIsNoRefusal) {
    const std::string moved = dir.write("src/moved", "1");
    const std::string stayed = dir.write("src/stayed", "2");
    dir.mkdir("dst");
    transfer(JobKind::Move, {moved}, dir / "dst");
    // The rename of the second item was recorded, then the program died.
    command([&] {
        struct stat st {};
        ::lstat(stayed.c_str(), &st);
        currentUndoRecorder()->record({UndoAction::Moved, stayed, dir / "dst/stayed", {}, fileStateOf(st), fileStateOf(st), 0});
        currentUndoRecorder()->record({UndoAction::Renamed, moved + "x", moved + "y", {}, {}, {}, 0});
    });
    const UndoResult r = phase(true);
    EXPECT_EQ(r.done, 0u);
    ASSERT_EQ(r.refused.size(), 1u);  // the rename whose file was never there
    EXPECT_EQ(readFile(stayed), "2");
}

TEST_F(UndoRunnerTest, RenamesFoldersAndAttributesGoBackInReverse) {
    const std::string a = dir.write("a.jpg", "a");
    const std::string b = dir.write("b.jpg", "b");
    const std::string ro = dir.write("ro", "r");
    dir.write("gone/deeper/.keep-out", "");
    ::unlink((dir / "gone/deeper/.keep-out").c_str());
    command([&] {
        // b frees its name for a, as a serial renaming may.
        PosixFileSystem files;
        ASSERT_EQ(posixops::renameNoReplace(b, dir / "c.jpg"), 0);
        currentUndoRecorder()->record({UndoAction::Renamed, b, dir / "c.jpg", {}, currentState(dir / "c.jpg"), currentState(dir / "c.jpg"), 0});
        currentUndoRecorder()->record({UndoAction::Renamed, a, b, {}, currentState(a), currentState(a), 0});
        ASSERT_EQ(posixops::renameNoReplace(a, b), 0);
        ASSERT_TRUE(::mkdir((dir / "new").c_str(), 0755) == 0);
        currentUndoRecorder()->record({UndoAction::NewFolder, {}, dir / "new", {}, {}, currentState(dir / "new"), 0});
        int missing = 0;
        RecordingEngineUi quiet;
        RecordingJobRunner none;
        TFileOperation(quiet, none, files).SetAttribute({ro}, false, missing);
        EmptyFolderRemoval removal;
        removeEmptyFolders(dir / "gone", removal);
    });
    ASSERT_FALSE(ownerWritable(ro));
    ASSERT_FALSE(exists(dir / "gone"));
    UndoResult r = phase(true);
    EXPECT_TRUE(r.refused.empty()) << ::testing::PrintToString(reasons(r));
    EXPECT_EQ(readFile(a), "a");
    EXPECT_EQ(readFile(b), "b");
    EXPECT_FALSE(exists(dir / "new"));
    EXPECT_TRUE(exists(dir / "gone/deeper"));
    EXPECT_TRUE(ownerWritable(ro));
    r = phase(false);
    EXPECT_TRUE(r.refused.empty()) << ::testing::PrintToString(reasons(r));
    EXPECT_EQ(readFile(b), "a");
    EXPECT_EQ(readFile(dir / "c.jpg"), "b");
    EXPECT_TRUE(exists(dir / "new"));
    EXPECT_FALSE(exists(dir / "gone"));
    EXPECT_FALSE(ownerWritable(ro));
}

TEST_F(UndoRunnerTest, AMoveToAnotherFileSystemComesBackWhereItsSourceWent) {
    TmpfsMount tmpfs(dir / "mnt", "16m");
    if (tmpfs.skip()) GTEST_SKIP() << "needs root for a tmpfs";
    std::vector<std::string> sources;
    for (int i = 0; i < 20; ++i) sources.push_back(dir.write("src/f" + std::to_string(i), std::string(5000 + i, 'x')));
    dir.write("src/tree/sub/y", "y");
    sources.push_back(dir / "src/tree");
    transfer(JobKind::Move, sources, tmpfs.path());
    ASSERT_FALSE(exists(dir / "src/tree"));
    const UndoResult r = phase(true);
    EXPECT_TRUE(r.refused.empty()) << ::testing::PrintToString(reasons(r));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(readFile(sources[std::size_t(i)]), std::string(5000 + i, 'x'));
    EXPECT_EQ(readFile(dir / "src/tree/sub/y"), "y");
    EXPECT_TRUE(namesIn(tmpfs.path()).empty());
}

// What comes between the engine's look at an item and its rename, or what a
// crash left between the copy and the removal of a move to another file
// system.
TEST_F(UndoRunnerTest, AMoveBackNeverReplacesAndTakesOnlyWhatItLeft) {
    struct Case {
        const char* name;
        bool sourceStayed;      // a copy at dst/f, its source src/f never removed
        bool takenBeforeRename; // src/f written just before the rename back
        bool sourceChanged;     // src/f changed since the move
        const char* reason;     // empty: undone
    };
    const Case cases[] = {
        {"old place taken just before the rename", false, true, false, "元の場所に別のものがあります。"},
        {"source stayed: the copy goes", true, false, false, ""},
        {"source stayed but changed: both stay", true, false, true, "元の場所に別のものがあります。"},
    };
    for (const Case& c : cases) {
        TempDir d;
        journalFolder = d / "journal";
        const std::string from = d.write("src/f", "old");
        const std::string to = d / "dst/f";
        if (c.sourceStayed) {
            d.write("dst/f", "old");
            command([&] {
                currentUndoRecorder()->record(
                    {UndoAction::Moved, from, to, {}, currentState(from), currentState(to), 0});
            });
            if (c.sourceChanged) d.write("src/f", "changed");
        } else {
            d.mkdir("dst");
            transfer(JobKind::Move, {from}, d / "dst");
        }
        syscalls::Overrides seam;
        if (c.takenBeforeRename)
            seam.renameat2 = [&](int a, const char* b, int e, const char* f, unsigned flags) {
                d.write("src/f", "new");
                return ::renameat2(a, b, e, f, flags);
            };
        UndoResult r;
        {
            syscalls::ScopedOverrides scoped(seam);
            r = phase(true);
        }
        if (*c.reason) {
            ASSERT_EQ(r.refused.size(), 1u) << c.name;
            EXPECT_EQ(r.refused[0].reason, c.reason) << c.name;
            EXPECT_EQ(readFile(to), "old") << c.name;
            EXPECT_NE(readFile(from), "old") << c.name;
        } else {
            EXPECT_TRUE(r.refused.empty()) << c.name << ::testing::PrintToString(reasons(r));
            EXPECT_EQ(r.done, 1u) << c.name;
            EXPECT_FALSE(exists(to)) << c.name;
            EXPECT_EQ(readFile(from), "old") << c.name;
        }
    }
}
