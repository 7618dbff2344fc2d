// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/FileOperation.h"
#include "engine/PosixFileSystem.h"
#include "support/core/EngineDoubles.h"
#include "support/core/TestFiles.h"

namespace {

using Paths = std::vector<std::string>;
using Texts = std::vector<std::string>;
using Answer = EngineUi::Answer;
using Question = EngineUi::Question;

const std::string kNeeded = "この種の警告は必要ですか?";

std::string question(const std::string& path, const char* kind) {
    return path + "\r\n" + kind + "\r\n消去しますか?";
}

class DeleteTest : public ::testing::Test {
protected:
    std::string readOnly(const std::string& relative) {
        const std::string p = dir.write(relative);
        ::chmod(p.c_str(), 0444);
        return p;
    }
    std::string fifo(const std::string& relative) {
        const std::string p = dir / relative;
        EXPECT_EQ(::mkfifo(p.c_str(), 0644), 0);
        return p;
    }

    RecordingEngineUi ui;
    RecordingJobRunner service;
    PosixFileSystem fs;
    TFileOperation engine{ui, service, fs};
    TempDir dir;
};

TEST_F(DeleteTest, DeleteGoesToTheTrashWhateverTheOptions) {
    const std::string a = dir.write("a.txt");
    const std::string hidden = dir.write(".h");
    EXPECT_EQ(engine.DeleteFiles({a, dir.mkdir("sub"), hidden, dir / "gone"}, false), 2);
    ASSERT_EQ(service.calls.size(), 1u);
    const auto& call = service.calls[0];
    EXPECT_EQ(call.kind, JobKind::Trash);
    EXPECT_EQ(call.options, JobOptions{});
    EXPECT_EQ(call.sources, (Paths{a, hidden}));
    EXPECT_TRUE(call.resolvedTargets().empty());
    EXPECT_TRUE(call.progressTitle.empty());
    EXPECT_TRUE(ui.texts.empty());
    EXPECT_TRUE(exists(dir / "sub"));
}

TEST_F(DeleteTest, ErasingOrdinaryFilesAsksNothingAndSkipsConfirmation) {
    const std::string a = dir.write("a.txt");
    EXPECT_EQ(engine.DeleteFiles({a, dir / "gone"}, true), 1);
    ASSERT_EQ(service.calls.size(), 1u);
    EXPECT_EQ(service.calls[0].kind, JobKind::Erase);
    EXPECT_EQ(service.calls[0].options, JobOption::NoConfirmation);
    EXPECT_TRUE(ui.texts.empty());
    EXPECT_FALSE(exists(a));
}

TEST_F(DeleteTest, EachProtectedKindIsNamedInItsQuestion) {
    const std::string system = fifo("pipe");
    const std::string hidden = dir.write(".hidden.txt");
    const std::string ro = readOnly("ro.txt");
    const std::string plain = dir.write("plain.txt");
    ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes, Answer::Yes};
    EXPECT_EQ(engine.DeleteFiles({system, hidden, ro, plain}, true), 0);
    ASSERT_EQ(ui.texts,
              (Texts{question(system, "はシステムファイルです。"), kNeeded,
                     question(hidden, "は隠しファイルです。"),
                     question(ro, "は読取り専用ファイルです。")}));
    EXPECT_EQ(ui.questions[0], Question::YesNoCancel);
    EXPECT_EQ(ui.questions[1], Question::YesNo);
    EXPECT_EQ(service.calls.at(0).sources, (Paths{system, hidden, ro, plain}));
    for (const auto& p : {system, hidden, ro, plain}) EXPECT_FALSE(exists(p)) << p;
}

TEST_F(DeleteTest, TheLastPathIsNeverFollowedByTheWarningQuestion) {
    const std::string hidden = dir.write(".only");
    ui.answers = {Answer::Yes};
    EXPECT_EQ(engine.DeleteFiles({hidden}, true), 0);
    EXPECT_EQ(ui.texts, Texts{question(hidden, "は隠しファイルです。")});
    EXPECT_FALSE(exists(hidden));

    // The last path of the list counts, not the last file: a folder after it
    // still makes the question due.
    ui.texts.clear();
    ui.questions.clear();
    const std::string ro = readOnly("ro.txt");
    ui.answers = {Answer::Yes, Answer::Yes};
    EXPECT_EQ(engine.DeleteFiles({ro, dir.mkdir("folder")}, true), 1);
    EXPECT_EQ(ui.texts, (Texts{question(ro, "は読取り専用ファイルです。"), kNeeded}));
}

TEST_F(DeleteTest, NoToTheWarningQuestionErasesTheRestSilently) {
    const std::string a = readOnly("a");
    const std::string b = dir.write(".b");
    const std::string c = fifo("c");
    ui.answers = {Answer::Yes, Answer::No};
    EXPECT_EQ(engine.DeleteFiles({a, b, c}, true), 0);
    EXPECT_EQ(ui.texts.size(), 2u);
    EXPECT_EQ(service.calls.at(0).sources, (Paths{a, b, c}));
}

TEST_F(DeleteTest, NoSkipsAFileWithoutCountingIt) {
    const std::string a = readOnly("a");
    const std::string b = dir.write("b");
    ui.answers = {Answer::No};
    EXPECT_EQ(engine.DeleteFiles({a, b, dir / "gone"}, true), 1);
    EXPECT_EQ(service.calls.at(0).sources, Paths{b});
    EXPECT_TRUE(exists(a));

    // Skipping everything leaves nothing to erase.
    ui.texts.clear();
    ui.questions.clear();
    ui.answers = {Answer::No};
    EXPECT_EQ(engine.DeleteFiles({a}, true), 0);
    ASSERT_FALSE(ui.texts.empty());
    EXPECT_EQ(ui.texts.back(), "ファイルが見つかりませんでした。");
    EXPECT_EQ(service.calls.size(), 1u);
}

TEST_F(DeleteTest, CancelErasesNothingAndReportsEveryPath) {
    const std::string a = readOnly("a");
    const std::string b = dir.write(".b");
    const std::string c = dir.write("c");
    ui.answers = {Answer::Yes, Answer::Yes, Answer::Cancel};
    EXPECT_EQ(engine.DeleteFiles({c, a, b, dir / "gone"}, true), 4);
    EXPECT_TRUE(service.calls.empty());
    for (const auto& p : {a, b, c}) EXPECT_TRUE(exists(p));
}

TEST_F(DeleteTest, DeleteFolderChecksTheFolderAndIgnoresOptions) {
    EXPECT_EQ(engine.DeleteFolder(dir / "gone", false), 1);
    EXPECT_EQ(engine.DeleteFolder(dir.write("file"), true), 1);
    EXPECT_EQ(ui.texts, (Texts{"フォルダが見つかりませんでした。", "フォルダが見つかりませんでした。"}));
    EXPECT_TRUE(service.calls.empty());

    service.performForReal = false;
    const std::string folder = dir.mkdir("f");
    EXPECT_EQ(engine.DeleteFolder(folder, false), 0);
    EXPECT_EQ(engine.DeleteFolder(folder, true), 0);
    ASSERT_EQ(service.calls.size(), 2u);
    EXPECT_EQ(service.calls[0].sources, Paths{folder});
    EXPECT_EQ(service.calls[0].kind, JobKind::Trash);
    EXPECT_EQ(service.calls[0].options, JobOptions{});
    EXPECT_EQ(service.calls[1].kind, JobKind::Erase);
    EXPECT_EQ(service.calls[1].options, JobOption::NoConfirmation);
}

TEST_F(DeleteTest, DeleteFolderReportsAFolderThatWasLeft) {
    service.performForReal = false;
    const std::string folder = dir.mkdir("f");
    for (const ItemStatus left : {ItemStatus::Cancelled, ItemStatus::Failed, ItemStatus::Skipped}) {
        service.statuses = {left};
        EXPECT_EQ(engine.DeleteFolder(folder, false), 2);
    }
}

}  // namespace
