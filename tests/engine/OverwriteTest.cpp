// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Existing targets: replaced only after Yes / YesToAll / NoConfirmation, and
// then by a rename (never truncated in place); No and Cancel leave both sides.
#include <unistd.h>

#include "EngineFixture.h"
#include "util/Termination.h"


class OverwriteTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        a = dir.write("src/a.txt", "new a");
        b = dir.write("src/b.txt", "new b");
        dir.write("dst/a.txt", "old a");
        dir.write("dst/b.txt", "old b");
        dst = dir / "dst";
    }
    std::string a, b, dst;
};

TEST_F(OverwriteTest, YesReplacesByRenameAndNoKeepsBothSides) {
    // A second name for the old target shows whether it was written in place.
    ASSERT_EQ(::link((dst + "/a.txt").c_str(), (dir / "keep").c_str()), 0);
    ui.overwriteAnswers = {Answer::Yes, Answer::No};
    EXPECT_EQ(copy({a, b}, dst, JobOption::Silent), 0);
    ASSERT_EQ(ui.count(Kind::Overwrite), 2u);
    EXPECT_EQ(ui.questions[0].paths, (std::vector<std::string>{dst + "/a.txt", a}));
    EXPECT_EQ(readFile(dst + "/a.txt"), "new a");
    EXPECT_EQ(readFile(dir / "keep"), "old a");
    EXPECT_EQ(readFile(dst + "/b.txt"), "old b");
    EXPECT_EQ(readFile(b), "new b");
    EXPECT_EQ(namesIn(dst), (std::vector<std::string>{"a.txt", "b.txt"}));  // no temporary left
    EXPECT_FALSE(aborted);
}

TEST_F(OverwriteTest, YesToAllAsksOnceAndNoConfirmationNever) {
    ui.overwriteAnswers = {Answer::YesToAll};
    EXPECT_EQ(copy({a, b}, dst, JobOption::Silent), 0);
    EXPECT_EQ(ui.count(Kind::Overwrite), 1u);
    EXPECT_EQ(readFile(dst + "/b.txt"), "new b");

    dir.write("src/a.txt", "newer a");
    ui.reset();
    EXPECT_EQ(move({a}, dst, JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(readFile(dst + "/a.txt"), "newer a");
    EXPECT_FALSE(exists(a));
}

TEST_F(OverwriteTest, CancelStopsAndLeavesEverything) {
    ui.overwriteAnswers = {Answer::Cancel};
    EXPECT_NE(move({a, b}, dst, JobOption::Silent), 0);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(ui.count(Kind::Overwrite), 1u);
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_EQ(readFile(b), "new b");
    EXPECT_EQ(readFile(dst + "/a.txt"), "old a");
    EXPECT_EQ(readFile(dst + "/b.txt"), "old b");
}

TEST_F(OverwriteTest, MoveAnsweredNoKeepsSource) {
    ui.overwriteAnswers = {Answer::No, Answer::Yes};
    EXPECT_EQ(move({a, b}, dst, JobOption::Silent), 0);
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_EQ(readFile(dst + "/a.txt"), "old a");
    EXPECT_FALSE(exists(b));
    EXPECT_EQ(readFile(dst + "/b.txt"), "new b");
}

TEST_F(OverwriteTest, FileOntoItselfIsNeverTruncated) {
    ui.errorAnswers = {ErrorChoice::Skip, ErrorChoice::Skip};
    EXPECT_NE(copy({a}, dir / "src", JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_NE(move({a}, dir / "src", JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_EQ(ui.count(Kind::Error), 2u);
    EXPECT_EQ(readFile(a), "new a");

    // A hard link is the same file under another name.
    ASSERT_EQ(::link(a.c_str(), (dir / "src/hard").c_str()), 0);
    EXPECT_NE(toTargets(JobKind::Copy, {a}, {dir / "src/hard"}, Quiet | JobOption::NoErrorUi), 0);
    EXPECT_EQ(readFile(a), "new a");

    // With renaming on collision a copy onto itself becomes a second file.
    EXPECT_EQ(copy({a}, dir / "src", Quiet | JobOption::RenameOnCollision), 0);
    EXPECT_EQ(readFile(dir / "src/a_01.txt"), "new a");
    EXPECT_EQ(readFile(a), "new a");
}

TEST_F(OverwriteTest, RenameOnCollisionPicksFreeNames) {
    dir.write("dst/a_01.txt", "taken");
    dir.mkdir("src/sub");
    dir.write("src/sub/x", "x");
    dir.mkdir("dst/sub");
    EXPECT_EQ(copy({a, a, dir / "src/sub"}, dst, JobOption::Silent | JobOption::RenameOnCollision), 0);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(readFile(dst + "/a.txt"), "old a");
    EXPECT_EQ(readFile(dst + "/a_01.txt"), "taken");
    EXPECT_EQ(readFile(dst + "/a_02.txt"), "new a");
    EXPECT_EQ(readFile(dst + "/a_03.txt"), "new a");
    EXPECT_EQ(readFile(dst + "/sub_01/x"), "x");
}

TEST_F(OverwriteTest, FolderMergesAndAsksPerFile) {
    dir.write("tree/a.txt", "tree a");
    dir.write("tree/c.txt", "tree c");
    dir.write("dst/tree/a.txt", "old tree a");
    ui.overwriteAnswers = {Answer::No};
    EXPECT_EQ(move({dir / "tree"}, dst, JobOption::Silent), 0);
    EXPECT_EQ(readFile(dst + "/tree/a.txt"), "old tree a");
    EXPECT_EQ(readFile(dst + "/tree/c.txt"), "tree c");
    // The source folder keeps what was not moved.
    EXPECT_EQ(namesIn(dir / "tree"), std::vector<std::string>{"a.txt"});

    // A file never replaces a folder or the other way round.
    dir.mkdir("src2/a.txt");
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_NE(copy({dir / "src2/a.txt"}, dst, JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_EQ(readFile(dst + "/a.txt"), "old a");
}

// Copies that replace files wait to be put in place together; a program
// that is ending puts none of them there and leaves no temporary.
TEST_F(OverwriteTest, TerminationBeforeTheReplacementsKeepsTheOldFiles) {
    ui.onUpdate = [&] {
        if (ui.updatedPaths.back() == b) requestTermination();
    };
    EXPECT_EQ(copy({a, b}, dst, Shown), ECANCELED);
    clearTerminationRequest();
    EXPECT_EQ(outcome.items[0].status, ItemStatus::Cancelled);
    EXPECT_EQ(readFile(dst + "/a.txt"), "old a");
    EXPECT_EQ(readFile(dst + "/b.txt"), "old b");
    EXPECT_EQ(namesIn(dst), (std::vector<std::string>{"a.txt", "b.txt"}));
}
