// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Copy and move: names byte for byte, metadata, links, special files,
// folders, target lists and the folder-creation question.
#include <sys/stat.h>
#include <unistd.h>

#include "EngineFixture.h"


TEST_F(EngineTest, AwkwardNamesAreCopiedAndMovedByteForByte) {
    const std::vector<std::string> names = {"sjis \x83\x65\x83\x58\x83\x67.txt", "quote ' \" #1 %20.txt",
                                            "line\nbreak", " lead and trail "};
    std::vector<std::string> sources;
    for (const auto& n : names) sources.push_back(dir.write("src/" + n, "data " + n));
    EXPECT_EQ(copy(sources, dir / "copy", Quiet), 0);
    EXPECT_EQ(move(sources, dir / "moved", Quiet), 0);
    for (const auto& n : names) {
        EXPECT_EQ(readFile(dir / ("copy/" + n)), "data " + n);
        EXPECT_EQ(readFile(dir / ("moved/" + n)), "data " + n);
    }
    EXPECT_TRUE(namesIn(dir / "src").empty());
}

TEST_F(EngineTest, CopyKeepsPermissionBitsAndTimes) {
    const std::string ro = dir.write("src/ro.txt", "read only");
    const std::string exe = dir.write("src/tool", "#!/bin/sh");
    ::chmod(exe.c_str(), 0751);
    setMtime(ro, 981173106, 123456789);
    ::chmod(ro.c_str(), 0444);
    dir.write("src/folder/inner", "i");
    setMtime(dir / "src/folder", 1000000000, 0);
    ::chmod((dir / "src/folder").c_str(), 0555);

    EXPECT_EQ(copy({ro, exe, dir / "src/folder"}, dir / "dst", Quiet), 0);
    const struct stat copied = statOf(dir / "dst/ro.txt");
    EXPECT_EQ(copied.st_mode & 07777, 0444u);
    EXPECT_EQ(copied.st_mtim.tv_sec, 981173106);
    EXPECT_EQ(copied.st_mtim.tv_nsec, 123456789);
    EXPECT_EQ(statOf(dir / "dst/tool").st_mode & 07777, 0751u);
    // A read-only folder is filled first and closed afterwards.
    EXPECT_EQ(readFile(dir / "dst/folder/inner"), "i");
    EXPECT_EQ(statOf(dir / "dst/folder").st_mode & 07777, 0555u);
    EXPECT_EQ(statOf(dir / "dst/folder").st_mtim.tv_sec, 1000000000);
}

TEST_F(EngineTest, SymlinksAreCopiedAsLinks) {
    const std::string target = dir.write("outside/real.txt", "real");
    const std::string link = dir / "src/link";
    const std::string dangling = dir / "src/dangling";
    dir.mkdir("src");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", dangling.c_str()), 0);
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "src/dirlink").c_str()), 0);

    EXPECT_EQ(copy({link, dangling, dir / "src/dirlink"}, dir / "dst", Quiet), 0);
    char text[256] = {};
    EXPECT_TRUE(S_ISLNK(statOf(dir / "dst/link").st_mode));
    ASSERT_GT(::readlink((dir / "dst/link").c_str(), text, sizeof text - 1), 0);
    EXPECT_STREQ(text, target.c_str());
    EXPECT_TRUE(S_ISLNK(statOf(dir / "dst/dangling").st_mode));
    EXPECT_TRUE(S_ISLNK(statOf(dir / "dst/dirlink").st_mode));
    EXPECT_EQ(namesIn(dir / "outside"), std::vector<std::string>{"real.txt"});
}

TEST_F(EngineTest, SpecialFilesAreNeverRead) {
    const std::string fifo = dir / "src/pipe";
    dir.mkdir("src/tree");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((dir / "src/tree/pipe").c_str(), 0644), 0);
    dir.write("src/tree/plain", "p");
    FifoGuard guard(fifo), innerGuard(dir / "src/tree/pipe");

    ui.errorAnswers = {ErrorChoice::Skip, ErrorChoice::Skip};
    EXPECT_NE(copy({fifo, dir / "src/tree"}, dir / "dst", JobOption::Silent | JobOption::NoFolderQuestion), 0);
    ASSERT_EQ(ui.count(Kind::Error), 2u);
    EXPECT_EQ(ui.questions[0].paths[0], fifo);
    EXPECT_EQ(ui.questions[1].paths[0], dir / "src/tree/pipe");
    EXPECT_FALSE(exists(dir / "dst/pipe"));
    EXPECT_EQ(readFile(dir / "dst/tree/plain"), "p");

    ui.reset();
    EXPECT_NE(copy({dir / "src/tree"}, dir / "dst2", Quiet | JobOption::NoErrorUi), 0);
    EXPECT_EQ(readFile(dir / "dst2/tree/plain"), "p");
    EXPECT_FALSE(exists(dir / "dst2/tree/pipe"));
    EXPECT_FALSE(guard.timedOut());
    EXPECT_FALSE(innerGuard.timedOut());
}

TEST_F(EngineTest, FoldersAreCopiedAndMovedWhole) {
    dir.write("tree/a/b/deep.txt", "deep");
    dir.write("tree/top.txt", "top");
    EXPECT_EQ(copy({dir / "tree"}, dir / "copy", Quiet), 0);
    EXPECT_EQ(readFile(dir / "copy/tree/a/b/deep.txt"), "deep");
    EXPECT_EQ(move({dir / "tree"}, dir / "moved", Quiet), 0);
    EXPECT_EQ(readFile(dir / "moved/tree/top.txt"), "top");
    EXPECT_FALSE(exists(dir / "tree"));

    // Into itself: refused before anything is made.
    ui.errorAnswers = {ErrorChoice::Skip, ErrorChoice::Skip};
    EXPECT_NE(copy({dir / "moved/tree"}, dir / "moved/tree/a", JobOption::Silent), 0);
    EXPECT_NE(move({dir / "moved/tree"}, dir / "moved/tree/a/b", JobOption::Silent), 0);
    // Nor into itself under its own name.
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_NE(copy({dir / "moved/tree"}, dir / "moved/tree", JobOption::Silent), 0);
    EXPECT_EQ(namesIn(dir / "moved/tree"), (std::vector<std::string>{"a", "top.txt"}));
    EXPECT_EQ(namesIn(dir / "moved/tree/a"), std::vector<std::string>{"b"});
    EXPECT_EQ(namesIn(dir / "moved/tree/a/b"), std::vector<std::string>{"deep.txt"});
}

TEST_F(EngineTest, MultiDestFilesPairsSourcesWithTargets) {
    const std::string a = dir.write("a.txt", "a");
    const std::string b = dir.write("b.txt", "b");
    const std::vector<std::string> targets = {dir / "one/first.txt", dir / "two/deeper/second.txt"};
    EXPECT_EQ(toTargets(JobKind::Copy, {a, b}, targets, Quiet), 0);
    EXPECT_EQ(readFile(targets[0]), "a");
    EXPECT_EQ(readFile(targets[1]), "b");

    // A count that does not match is refused whole.
    EXPECT_NE(toTargets(JobKind::Move, {a, b}, {dir / "x.txt"}, Quiet), 0);
    EXPECT_TRUE(exists(a));
    EXPECT_FALSE(exists(dir / "x.txt"));
}

TEST_F(EngineTest, MissingTargetFolderIsAskedForUnlessNoConfirmMkDir) {
    const std::string a = dir.write("a.txt", "a");
    const std::string b = dir.write("b.txt", "b");
    ui.createFolderAnswers = {false};
    EXPECT_NE(copy({a, b}, dir / "new", JobOption::Silent), 0);
    EXPECT_TRUE(aborted);
    EXPECT_FALSE(exists(dir / "new"));
    ASSERT_EQ(ui.count(Kind::CreateFolder), 1u);
    EXPECT_EQ(ui.questions[0].paths[0], dir / "new");

    ui.createFolderAnswers = {true};
    EXPECT_EQ(copy({a, b}, dir / "new/inner", JobOption::Silent), 0);
    EXPECT_EQ(ui.count(Kind::CreateFolder), 2u);  // once for both files
    EXPECT_EQ(readFile(dir / "new/inner/b.txt"), "b");

    EXPECT_EQ(copy({a}, dir / "silent", JobOption::Silent | JobOption::NoFolderQuestion), 0);
    EXPECT_EQ(ui.count(Kind::CreateFolder), 2u);
    EXPECT_TRUE(exists(dir / "silent/a.txt"));

    // A file where the folder should be is one error, not one per item.
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(copy({a, b}, a, JobOption::Silent), ENOTDIR);
    EXPECT_EQ(ui.count(Kind::Error), 1u);
    EXPECT_EQ(readFile(a), "a");
}

TEST_F(EngineTest, FailuresAreReportedUnlessNoErrorUi) {
    const std::string a = dir.write("a.txt", "a");
    const std::string missing = dir / "missing.txt";
    ui.errorAnswers = {ErrorChoice::Skip};
    EXPECT_EQ(copy({missing, a}, dir / "dst", Quiet.without(JobOption::NoConfirmation)), ENOENT);
    ASSERT_EQ(ui.count(Kind::Error), 1u);
    EXPECT_EQ(ui.questions[0].paths[0], missing);
    EXPECT_FALSE(ui.questions[0].reason.empty());
    EXPECT_TRUE(exists(dir / "dst/a.txt"));

    ui.reset();
    EXPECT_EQ(copy({missing, a}, dir / "dst2", Quiet | JobOption::NoErrorUi), ENOENT);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(exists(dir / "dst2/a.txt"));

    // Cancel at an error stops the rest.
    ui.errorAnswers = {ErrorChoice::Cancel};
    EXPECT_NE(copy({missing, a}, dir / "dst3", Quiet), 0);
    EXPECT_TRUE(aborted);
    EXPECT_FALSE(exists(dir / "dst3/a.txt"));
}
