// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/FileOperation.h"
#include "engine/OperationOptions.h"
#include "engine/PosixFileSystem.h"
#include "support/core/EngineDoubles.h"
#include "support/core/TestFiles.h"
#include "util/NumberText.h"

namespace {

using Paths = std::vector<std::string>;
using Texts = std::vector<std::string>;
using Opt = OperationOption;

OperationOptions bits(std::int32_t value) { return OperationOptions::fromBits(value); }

// The engine on scripted messages, a recording service and the real files.
class EngineTest : public ::testing::Test {
protected:
    RecordingEngineUi ui;
    RecordingJobRunner service;
    PosixFileSystem fs;
    TFileOperation engine{ui, service, fs};
    TempDir dir;
};

TEST(JobSettingsTest, OptionBitsBecomeJobOptions) {
    EXPECT_EQ(jobSettingsFor(bits(0)).options, JobOptions{});
    EXPECT_TRUE(jobSettingsFor(bits(0)).progressTitle.empty());
    // The default set: NonConfirmMkDir, RenameOnCollision, ClearReadOnlyOnCopy, CallRemoveReadOnly.
    EXPECT_EQ(jobSettingsFor(bits(202)).options,
              JobOption::NoFolderQuestion | JobOption::RenameOnCollision);
    const JobSettings all = jobSettingsFor(bits(0xFF));
    EXPECT_EQ(all.options, (JobOptions{JobOption::NoConfirmation, JobOption::NoFolderQuestion,
                                       JobOption::NoErrorUi, JobOption::RenameOnCollision,
                                       JobOption::Silent, JobOption::SimpleProgress}));
    EXPECT_EQ(all.progressTitle, "しばらくお待ち下さい。");
    EXPECT_EQ(jobSettingsFor({Opt::ClearReadOnlyOnCopy, Opt::CallRemoveReadOnly}).options, JobOptions{});
    // Bits it does not know are kept as they are stored.
    EXPECT_EQ(bits(-5).bits(), -5);
}

using CopyMoveTest = EngineTest;

TEST_F(CopyMoveTest, BufferSizeGrowsPerStartedGroupOf256AndRefusesOutsideTheLimit) {
    EXPECT_EQ(engine.RequestBufferSize(1), 65536);
    EXPECT_EQ(engine.RequestBufferSize(256), 65536);
    EXPECT_EQ(engine.RequestBufferSize(257), 131072);
    EXPECT_EQ(engine.RequestBufferSize(32768), 128 * 65536);
    EXPECT_TRUE(ui.texts.empty());
    EXPECT_EQ(engine.RequestBufferSize(0), 0);
    EXPECT_EQ(engine.RequestBufferSize(32769), 0);
    ASSERT_EQ(ui.texts, (Texts{"ファイルが指定されていません。", "許容数(32768)を超えています。"}));
    EXPECT_FALSE(ui.questions[1].has_value()) << "a notice, not a question";
}

TEST_F(CopyMoveTest, ExactlyTheLimitIsAcceptedOneMoreTouchesNothing) {
    service.performForReal = false;
    const std::string file = dir.write("a.txt");
    const std::string dest = dir.mkdir("dest");
    EXPECT_EQ(engine.CopyMoveFiles(Paths(32768, file), {}, false, dest), 0);
    ASSERT_EQ(service.calls.size(), 1u);
    EXPECT_EQ(service.calls[0].sources.size(), 32768u);

    service.performForReal = true;
    EXPECT_EQ(engine.CopyMoveFiles(Paths(32769, file), {Opt::RenameOnCollision}, true, dest), 0);
    EXPECT_EQ(engine.DeleteFiles(Paths(32769, file), true), 0);
    EXPECT_EQ(service.calls.size(), 1u);
    EXPECT_EQ(ui.texts, (Texts{"許容数(32768)を超えています。", "許容数(32768)を超えています。"}));
    EXPECT_TRUE(exists(file));
    EXPECT_FALSE(exists(dest + "/a.txt"));
}

TEST_F(CopyMoveTest, PlainRequestCarriesOnlyExistingFilesAndTheOptionFlags) {
    const std::string a = dir.write("src/a.txt", "A");
    const std::string b = dir.write("src/b.txt", "B");
    const std::string folder = dir.mkdir("src/sub");
    const std::string dest = dir.mkdir("dest");
    const OperationOptions options{Opt::NonConfirmation, Opt::SimpleProgress, Opt::ClearReadOnlyOnCopy};
    JobOutcome outcome;
    EXPECT_EQ(engine.CopyMoveFiles({a, folder, dir / "missing.txt", b}, options, false, dest,
                                   nullptr, &outcome),
              2);
    ASSERT_EQ(service.calls.size(), 1u);
    const auto& call = service.calls[0];
    EXPECT_EQ(call.kind, JobKind::Copy);
    EXPECT_EQ(call.sources, (Paths{a, b}));
    EXPECT_EQ(call.targetFolder, dest);
    EXPECT_TRUE(call.targets.empty());
    EXPECT_EQ(call.options, JobOption::NoConfirmation | JobOption::SimpleProgress);
    EXPECT_EQ(call.progressTitle, "しばらくお待ち下さい。");
    EXPECT_EQ(readFile(dest + "/b.txt"), "B");
    EXPECT_TRUE(ui.texts.empty());
    // The outcome speaks of every listed path, handed on or not.
    ASSERT_EQ(outcome.items.size(), 4u);
    EXPECT_EQ(outcome.items[0].status, ItemStatus::Done);
    EXPECT_EQ(outcome.items[1].status, ItemStatus::Failed);
    EXPECT_EQ(outcome.items[2].status, ItemStatus::Failed);
    EXPECT_EQ(outcome.items[3].status, ItemStatus::Done);

    EXPECT_EQ(engine.CopyMoveFiles({a}, {}, true, dir.mkdir("dest2")), 0);
    ASSERT_FALSE(service.calls.empty());
    EXPECT_EQ(service.calls.back().kind, JobKind::Move);
    EXPECT_FALSE(exists(a));
}

TEST_F(CopyMoveTest, NoExistingFileMakesNoRequest) {
    const std::string dest = dir.mkdir("dest");
    for (const OperationOptions options : {OperationOptions{}, OperationOptions{Opt::RenameOnCollision}}) {
        ui.texts.clear();
        EXPECT_EQ(engine.CopyMoveFiles({dir.mkdir("folder"), dir / "gone"}, options, false, dest), 2);
        EXPECT_EQ(ui.texts, Texts{"ファイルが見つかりませんでした。"});
    }
    EXPECT_TRUE(service.calls.empty());
}

TEST_F(CopyMoveTest, RenameOnCollisionWithoutCollisionStaysAPlainRequest) {
    const std::string a = dir.write("src/a.txt");
    const std::string b = dir.write("src/b.txt");
    const std::string dest = dir.mkdir("dest");
    dir.write("dest/other.txt");
    EXPECT_EQ(engine.CopyMoveFiles({a, b}, bits(202 | 0x10), false, dest), 0);
    ASSERT_EQ(service.calls.size(), 1u);
    EXPECT_EQ(service.calls[0].targetFolder, dest);
    EXPECT_TRUE(service.calls[0].targets.empty());
    EXPECT_EQ(service.calls[0].options, (JobOptions{JobOption::NoFolderQuestion,
                                                    JobOption::RenameOnCollision, JobOption::Silent}));
}

TEST_F(CopyMoveTest, CollisionGivesPerFileTargetsWithoutOptions) {
    const std::string a = dir.write("src/a.txt", "new");
    const std::string b = dir.write("src/b.txt");
    const std::string dest = dir.mkdir("dest");
    dir.write("dest/a.txt", "old");
    EXPECT_EQ(engine.CopyMoveFiles({a, b}, bits(0x3F), false, dest), 0);
    ASSERT_EQ(service.calls.size(), 1u);
    const auto& call = service.calls[0];
    EXPECT_EQ(call.options, JobOptions{});
    EXPECT_EQ(call.progressTitle, "しばらくお待ち下さい。");
    EXPECT_EQ(call.sources, (Paths{a, b}));
    EXPECT_EQ(call.targets, (Paths{dest + "/a_01.txt", dest + "/b.txt"}));
    EXPECT_EQ(readFile(dest + "/a.txt"), "old");
    EXPECT_EQ(readFile(dest + "/a_01.txt"), "new");
}

TEST_F(CopyMoveTest, SameNamedSourcesGetNumberedTargets) {
    const std::string x1 = dir.write("A/x.txt", "1");
    const std::string x2 = dir.write("B/x.txt", "2");
    const std::string full = dir.mkdir("full");
    dir.write("full/x.txt", "0");
    std::vector<std::string> used;
    EXPECT_EQ(engine.CopyMoveFiles({x1, x2}, {Opt::RenameOnCollision}, false, full, &used), 0);
    ASSERT_FALSE(service.calls.empty());
    EXPECT_EQ(service.calls.back().targets, (Paths{full + "/x_01.txt", full + "/x_02.txt"}));
    EXPECT_EQ(used, service.calls.back().targets);
    EXPECT_EQ(readFile(full + "/x.txt") + readFile(full + "/x_01.txt") + readFile(full + "/x_02.txt"),
              "012");

    const std::string empty = dir.mkdir("empty");
    EXPECT_EQ(engine.CopyMoveFiles({x1, x2}, {Opt::RenameOnCollision}, true, empty), 0);
    ASSERT_FALSE(service.calls.empty());
    EXPECT_EQ(service.calls.back().targets, (Paths{empty + "/x.txt", empty + "/x_01.txt"}));
    EXPECT_EQ(service.calls.back().kind, JobKind::Move);
    EXPECT_FALSE(exists(x1));
}

TEST_F(CopyMoveTest, NamesDifferingOnlyInCaseAreKeptApart) {
    const std::string upper = dir.write("A/X.TXT");
    const std::string lower = dir.write("B/x.txt");
    const std::string dest = dir.mkdir("dest");
    engine.CopyMoveFiles({upper, lower}, {Opt::RenameOnCollision}, false, dest);
    ASSERT_FALSE(service.calls.empty());
    EXPECT_EQ(service.calls.back().targets, (Paths{dest + "/X.TXT", dest + "/x_01.txt"}));
}

TEST_F(CopyMoveTest, UnpairedEntriesOfPerFileRequestsCountAsNotProcessed) {
    const std::string a = dir.write("a.txt");
    const std::string b = dir.write("b.txt");
    const std::string dest = dir.mkdir("dest");
    EXPECT_EQ(engine.CopyMoveToTargets({a, b, dir / "gone"}, {dest + "/1", "", dest + "/3"}, bits(0x3F),
                                       false),
              2);
    ASSERT_FALSE(service.calls.empty());
    EXPECT_EQ(service.calls.back().sources, Paths{a});
    EXPECT_EQ(service.calls.back().targets, Paths{dest + "/1"});
}

TEST_F(CopyMoveTest, LongListsArePassedWhole) {
    // About 1.2 MB of path text: far beyond the 65536 bytes per 256 entries.
    std::string deep = dir.path();
    while (deep.size() < 3900) deep += "/.";
    const std::string file = dir.write("f.txt");
    Paths paths(300, deep + "/f.txt");
    service.performForReal = false;
    EXPECT_EQ(engine.CopyMoveFiles(paths, {}, false, dir.mkdir("dest")), 0);
    EXPECT_EQ(service.calls.at(0).sources, paths);
    EXPECT_EQ(engine.CopyMoveToTargets(paths, paths, {}, false), 0);
    EXPECT_EQ(service.calls.at(1).targets, paths);
}

TEST_F(CopyMoveTest, APathWithANulByteIsNeverHandedOn) {
    const std::string a = dir.write("a.txt");
    dir.write("b.txt");
    const std::string smuggled = a + std::string(1, '\0') + "b.txt";
    EXPECT_EQ(engine.CopyMoveFiles({smuggled, a}, {}, false, dir.mkdir("dest")), 1);
    EXPECT_EQ(service.calls.at(0).sources, Paths{a});
}

using NextFreeNameTest = EngineTest;

TEST_F(NextFreeNameTest, SkipsTakenFilesAndChosenNames) {
    dir.write("r.txt");
    dir.write("r_01.txt");
    std::string name = "r.txt";
    bool changed = false;
    ASSERT_TRUE(engine.NextFreeName(dir.path(), name, {"R_02.TXT"}, changed));
    EXPECT_EQ(name, "r_03.txt");
    EXPECT_TRUE(changed);

    name = "free.txt";
    ASSERT_TRUE(engine.NextFreeName(dir.path(), name, {"OTHER"}, changed));
    EXPECT_EQ(name, "free.txt");
    EXPECT_FALSE(changed);

    name = "noext";
    ASSERT_TRUE(engine.NextFreeName(dir.path(), name, {"NOEXT"}, changed));
    EXPECT_EQ(name, "noext_01");
    name = "  ";
    ASSERT_TRUE(engine.NextFreeName(dir.path(), name, {"X"}, changed));
    EXPECT_EQ(name, "AutoName");
    EXPECT_FALSE(changed);  // only a numbered name counts as a change

    EXPECT_FALSE(engine.NextFreeName(dir / "gone", name, {"X"}, changed));
}

TEST_F(NextFreeNameTest, CountsPastNinetyNine) {
    std::unordered_set<std::string> chosen{"N.TXT"};
    for (int i = 1; i <= 99; ++i) chosen.insert("N_" + ZeroPadding(i, 2, '0') + ".TXT");
    std::string name = "n.txt";
    bool changed = false;
    ASSERT_TRUE(engine.NextFreeName(dir.path(), name, chosen, changed));
    EXPECT_EQ(name, "n_100.txt");
}

TEST_F(NextFreeNameTest, LongNamesAreShortenedToFit) {
    const std::string base(250, 'n');
    std::string name = base + ".txt";
    dir.write(name);
    bool changed = false;
    ASSERT_TRUE(engine.NextFreeName(dir.path(), name, {"OTHER"}, changed));
    EXPECT_EQ(name, std::string(248, 'n') + "_01.txt");
}

TEST_F(NextFreeNameTest, ManyEqualNamesStillFindTheFirstFreeNumber) {
    dir.write("x_01.txt");
    Paths targets;
    bool changed = false;
    ASSERT_TRUE(engine.PrepareUniqueTargets(
        {"/A/x.txt", "/B/x.txt", "/C/x_03.txt", "/D/x.txt", "/E/X.txt", "/F/x.txt"}, dir.path(),
        targets, changed));
    EXPECT_TRUE(changed);
    const std::string p = dir.path() + "/";
    EXPECT_EQ(targets, (Paths{p + "x.txt", p + "x_02.txt", p + "x_03.txt", p + "x_04.txt",
                              p + "X_01.txt", p + "x_05.txt"}));
}

TEST_F(NextFreeNameTest, MissingDestinationMeansPlainRequest) {
    const std::string a = dir.write("a.txt");
    std::vector<std::string> targets{"stale"};
    bool changed = true;
    EXPECT_TRUE(engine.PrepareUniqueTargets({a, a}, dir / "gone", targets, changed));
    EXPECT_FALSE(changed);
    EXPECT_TRUE(targets.empty());
}

}  // namespace
