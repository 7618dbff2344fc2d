// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Deletion: to the trash, the fallback where the trash cannot take an item,
// and erasing for good.
#include <unistd.h>

#include "EngineFixture.h"

TEST_F(EngineTest, TrashQuestionAnsweredNoKeepsEverything) {
    const std::string file = dir.write("stay.txt", "s");
    ui.trashAnswers = {false};
    EXPECT_NE(trash({file}, JobOption::Silent), 0);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(readFile(file), "s");

    // NoConfirmation skips the question.
    trashBin.result = ITrash::Result::Trashed;
    EXPECT_EQ(trash({file}, JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_EQ(trashBin.calls, std::vector<std::string>{file});
    EXPECT_EQ(ui.count(Kind::Trash), 1u);
}

TEST_F(EngineTest, WhereTheTrashCannotTakeAnItemItIsAskedForEach) {
    trashBin.result = ITrash::Result::NotSupported;
    const std::string a = dir.write("a", "a");
    const std::string b = dir.write("b", "b");
    const std::string c = dir.write("c", "c");
    const std::string d = dir.write("d", "d");
    ui.deletePermanentlyAnswers = {Answer::No, Answer::Yes, Answer::Cancel};
    const JobOptions flags = JobOption::Silent | JobOption::NoConfirmation;
    EXPECT_NE(trash({a, b, c, d}, flags), 0);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(ui.count(Kind::DeletePermanently), 3u);
    EXPECT_TRUE(exists(a));
    EXPECT_FALSE(exists(b));
    EXPECT_TRUE(exists(c));
    EXPECT_TRUE(exists(d));

    ui.reset();
    ui.deletePermanentlyAnswers = {Answer::YesToAll};
    EXPECT_EQ(trash({c, d}, flags), 0);
    EXPECT_EQ(ui.count(Kind::DeletePermanently), 1u);
    EXPECT_FALSE(exists(c));
    EXPECT_FALSE(exists(d));

    // A refusal of another kind is an error, and the item stays.
    trashBin.result = ITrash::Result::Failed;
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_NE(trash({a}, flags), 0);
    EXPECT_EQ(ui.count(Kind::Error), 1u);
    EXPECT_TRUE(exists(a));
}

TEST_F(EngineTest, EraseRemovesLinksNotWhatTheyPointAt) {
    const std::string outside = dir.write("outside/precious.txt", "precious");
    dir.write("tree/sub/file", "f");
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "tree/sub/to-outside").c_str()), 0);
    ASSERT_EQ(::symlink(outside.c_str(), (dir / "link").c_str()), 0);

    EXPECT_EQ(erase({dir / "link", dir / "tree"}, JobOption::NoConfirmation | JobOption::Silent), 0);
    EXPECT_FALSE(exists(dir / "link"));
    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(readFile(outside), "precious");

    // Without NoConfirmation erasing is asked first.
    const std::string file = dir.write("x", "x");
    ui.eraseAnswers = {false};
    EXPECT_NE(erase({file}, JobOption::Silent), 0);
    EXPECT_TRUE(exists(file));
    EXPECT_EQ(ui.count(Kind::Erase), 1u);
}

TEST_F(EngineTest, RootAndDotPathsAreRefused) {
    dir.write("inner/file", "f");
    ui.errorAnswers = {ErrorChoice::Skip, ErrorChoice::Skip};
    EXPECT_NE(erase({"/", dir / "inner/.."}, JobOption::NoConfirmation | JobOption::Silent), 0);
    EXPECT_EQ(ui.count(Kind::Error), 2u);
    EXPECT_EQ(readFile(dir / "inner/file"), "f");
    // Nor copied: "inner/sub/.." names inner, not the folder listed.
    dir.mkdir("inner/sub");
    EXPECT_NE(toTargets(JobKind::Copy, {dir / "inner/sub/.."}, {dir / "copy"}, Quiet | JobOption::NoErrorUi), 0);
    EXPECT_FALSE(exists(dir / "copy"));
}
