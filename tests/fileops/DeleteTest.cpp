#include <sys/stat.h>

#include <gtest/gtest.h>

#include "fileops/FileOperation.h"
#include "support/RecordingFileOperations.h"
#include "platform/MessageBoxIds.h"

namespace {

using Paths = std::vector<std::string>;

const QString kNeeded = QStringLiteral("この種の警告は必要ですか?");

QString question(const std::string& path, const char* kind) {
    return QString::fromStdString(path) + "\r\n" + QString::fromUtf8(kind) + "\r\n消去しますか?";
}

class DeleteTest : public FileOpsTest {
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

    TFileOperation engine;
    TempDir dir;
};

TEST_F(DeleteTest, DeleteGoesToTheTrashWhateverTheOptions) {
    const std::string a = dir.write("a.txt");
    const std::string hidden = dir.write(".h");
    EXPECT_EQ(engine.DeleteFiles({a, dir.mkdir("sub"), hidden, dir / "gone"}, false, 0xFF), 2);
    ASSERT_EQ(service.calls.size(), 1u);
    const auto& call = service.calls[0];
    EXPECT_EQ(call.func, fo::Delete);
    EXPECT_EQ(call.flags, fof::AllowUndo);
    EXPECT_EQ(call.from, (Paths{a, hidden}));
    EXPECT_TRUE(call.to.empty());
    EXPECT_TRUE(call.progressTitle.isEmpty());
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_TRUE(exists(dir / "sub"));
}

TEST_F(DeleteTest, ErasingOrdinaryFilesAsksNothingAndSkipsConfirmation) {
    const std::string a = dir.write("a.txt");
    EXPECT_EQ(engine.DeleteFiles({a, dir / "gone"}, true, 0), 1);
    EXPECT_EQ(service.calls.at(0).flags, fof::NoConfirmation);
    EXPECT_TRUE(fakeDialogs().shown.empty());
    EXPECT_FALSE(exists(a));
}

TEST_F(DeleteTest, EachProtectedKindIsNamedInItsQuestion) {
    const std::string system = fifo("pipe");
    const std::string hidden = dir.write(".hidden.txt");
    const std::string ro = readOnly("ro.txt");
    const std::string plain = dir.write("plain.txt");
    fakeDialogs().answers = {id::Yes, id::Yes, id::Yes, id::Yes};
    EXPECT_EQ(engine.DeleteFiles({system, hidden, ro, plain}, true, 0), 0);
    ASSERT_EQ(fakeDialogs().texts(),
              (QStringList{question(system, "はシステムファイルです。"), kNeeded,
                           question(hidden, "は隠しファイルです。"),
                           question(ro, "は読取り専用ファイルです。")}));
    EXPECT_EQ(fakeDialogs().shown[0].flags, mb::YesNoCancel | mb::IconInformation);
    EXPECT_EQ(fakeDialogs().shown[0].caption, QStringLiteral("  確認"));
    EXPECT_EQ(fakeDialogs().shown[1].flags, mb::YesNo);
    EXPECT_EQ(service.calls.at(0).from, (Paths{system, hidden, ro, plain}));
    for (const auto& p : {system, hidden, ro, plain}) EXPECT_FALSE(exists(p)) << p;
}

TEST_F(DeleteTest, TheLastPathIsNeverFollowedByTheWarningQuestion) {
    const std::string hidden = dir.write(".only");
    fakeDialogs().answers = {id::Yes};
    EXPECT_EQ(engine.DeleteFiles({hidden}, true, 0), 0);
    EXPECT_EQ(fakeDialogs().texts(), QStringList{question(hidden, "は隠しファイルです。")});
    EXPECT_FALSE(exists(hidden));

    // The last path of the list counts, not the last file: a folder after it
    // still makes the question due.
    fakeDialogs().reset();
    const std::string ro = readOnly("ro.txt");
    fakeDialogs().answers = {id::Yes, id::Yes};
    EXPECT_EQ(engine.DeleteFiles({ro, dir.mkdir("folder")}, true, 0), 1);
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{question(ro, "は読取り専用ファイルです。"), kNeeded}));
}

TEST_F(DeleteTest, NoToTheWarningQuestionErasesTheRestSilently) {
    const std::string a = readOnly("a");
    const std::string b = dir.write(".b");
    const std::string c = fifo("c");
    fakeDialogs().answers = {id::Yes, id::No};
    EXPECT_EQ(engine.DeleteFiles({a, b, c}, true, 0), 0);
    EXPECT_EQ(fakeDialogs().shown.size(), 2u);
    EXPECT_EQ(service.calls.at(0).from, (Paths{a, b, c}));
}

TEST_F(DeleteTest, NoSkipsAFileWithoutCountingIt) {
    const std::string a = readOnly("a");
    const std::string b = dir.write("b");
    fakeDialogs().answers = {id::No};
    EXPECT_EQ(engine.DeleteFiles({a, b, dir / "gone"}, true, 0), 1);
    EXPECT_EQ(service.calls.at(0).from, Paths{b});
    EXPECT_TRUE(exists(a));

    // Skipping everything leaves nothing to erase.
    fakeDialogs().reset();
    fakeDialogs().answers = {id::No};
    EXPECT_EQ(engine.DeleteFiles({a}, true, 0), 0);
    EXPECT_EQ(fakeDialogs().texts().last(), QStringLiteral("ファイルが見つかりませんでした。"));
    EXPECT_EQ(service.calls.size(), 1u);
}

TEST_F(DeleteTest, CancelErasesNothingAndReportsEveryPath) {
    const std::string a = readOnly("a");
    const std::string b = dir.write(".b");
    const std::string c = dir.write("c");
    fakeDialogs().answers = {id::Yes, id::Yes, id::Cancel};
    EXPECT_EQ(engine.DeleteFiles({c, a, b, dir / "gone"}, true, 0), 4);
    EXPECT_TRUE(service.calls.empty());
    for (const auto& p : {a, b, c}) EXPECT_TRUE(exists(p));
}

TEST_F(DeleteTest, DeleteFolderChecksTheFolderAndIgnoresOptions) {
    EXPECT_EQ(engine.DeleteFolder(dir / "gone", false, 0xFF), 1);
    EXPECT_EQ(engine.DeleteFolder(dir.write("file"), true, 0xFF), 1);
    EXPECT_EQ(fakeDialogs().texts(), (QStringList{"フォルダが見つかりませんでした。",
                                                  "フォルダが見つかりませんでした。"}));
    EXPECT_TRUE(service.calls.empty());

    service.performForReal = false;
    const std::string folder = dir.mkdir("f");
    EXPECT_EQ(engine.DeleteFolder(folder, false, 0xFF), 0);
    EXPECT_EQ(engine.DeleteFolder(folder, true, 0), 0);
    ASSERT_EQ(service.calls.size(), 2u);
    EXPECT_EQ(service.calls[0].from, Paths{folder});
    EXPECT_EQ(service.calls[0].flags, fof::AllowUndo);
    EXPECT_EQ(service.calls[1].flags, fof::NoConfirmation);
    EXPECT_EQ(service.calls[1].func, fo::Delete);
}

}  // namespace
