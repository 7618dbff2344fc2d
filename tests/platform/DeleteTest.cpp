// Deletion: to the real trash (XDG_DATA_HOME points into the test home), the
// fallback where the trash cannot take an item, and erasing for good.
#include <unistd.h>

#include "FileServiceFixture.h"
#include "platform/Platform.h"

using Kind = FakeFileOpUi::Kind;
using Answer = IFileOpUi::Answer;

namespace {

std::string trashFolder() { return std::string(::getenv("XDG_DATA_HOME")) + "/Trash"; }

}  // namespace

TEST_F(FileServiceTest, DeleteWithUndoGoesToTheTrashAfterOneQuestion) {
    const std::string name = "trash me \xff #%.txt";
    const std::string file = dir.write(name, "keep me restorable");
    const std::string folder = dir.mkdir("folder to trash");
    dir.write("folder to trash/inside", "i");
    fakeFileOpUi().trashAnswers = {true};
    EXPECT_EQ(trash({file, folder}, JobOption::Silent), 0);
    ASSERT_EQ(fakeFileOpUi().count(Kind::Trash), 1u);
    EXPECT_EQ(fakeFileOpUi().questions[0].paths, (std::vector<std::string>{file, folder}));
    EXPECT_FALSE(exists(file));
    EXPECT_FALSE(exists(folder));
    EXPECT_EQ(readFile(trashFolder() + "/files/" + name), "keep me restorable");
    EXPECT_TRUE(exists(trashFolder() + "/info/" + name + ".trashinfo"));
    EXPECT_EQ(readFile(trashFolder() + "/files/folder to trash/inside"), "i");
}

TEST_F(FileServiceTest, TrashQuestionAnsweredNoKeepsEverything) {
    const std::string file = dir.write("stay.txt", "s");
    fakeFileOpUi().trashAnswers = {false};
    EXPECT_NE(trash({file}, JobOption::Silent), 0);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(readFile(file), "s");

    // NoConfirmation skips the question.
    FakeTrash fakeTrash;
    fakeTrash.result = ITrash::Result::Trashed;
    ScopedPlatform scoped({.trash = &fakeTrash});
    EXPECT_EQ(trash({file}, JobOption::Silent | JobOption::NoConfirmation), 0);
    EXPECT_EQ(fakeTrash.calls, std::vector<std::string>{file});
    EXPECT_EQ(fakeFileOpUi().count(Kind::Trash), 1u);
}

TEST_F(FileServiceTest, WhereTheTrashCannotTakeAnItemItIsAskedForEach) {
    FakeTrash fakeTrash;  // answers NotSupported
    ScopedPlatform scoped({.trash = &fakeTrash});
    const std::string a = dir.write("a", "a");
    const std::string b = dir.write("b", "b");
    const std::string c = dir.write("c", "c");
    const std::string d = dir.write("d", "d");
    fakeFileOpUi().deletePermanentlyAnswers = {Answer::No, Answer::Yes, Answer::Cancel};
    const JobOptions flags = JobOption::Silent | JobOption::NoConfirmation;
    EXPECT_NE(trash({a, b, c, d}, flags), 0);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(fakeFileOpUi().count(Kind::DeletePermanently), 3u);
    EXPECT_TRUE(exists(a));
    EXPECT_FALSE(exists(b));
    EXPECT_TRUE(exists(c));
    EXPECT_TRUE(exists(d));

    fakeFileOpUi().reset();
    fakeFileOpUi().deletePermanentlyAnswers = {Answer::YesToAll};
    EXPECT_EQ(trash({c, d}, flags), 0);
    EXPECT_EQ(fakeFileOpUi().count(Kind::DeletePermanently), 1u);
    EXPECT_FALSE(exists(c));
    EXPECT_FALSE(exists(d));

    // A refusal of another kind is an error, and the item stays.
    fakeTrash.result = ITrash::Result::Failed;
    fakeFileOpUi().errorAnswers = {IFileOpUi::ErrorChoice::Skip};
    EXPECT_NE(trash({a}, flags), 0);
    EXPECT_EQ(fakeFileOpUi().count(Kind::Error), 1u);
    EXPECT_TRUE(exists(a));
}

TEST_F(FileServiceTest, EraseRemovesLinksNotWhatTheyPointAt) {
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
    fakeFileOpUi().eraseAnswers = {false};
    EXPECT_NE(erase({file}, JobOption::Silent), 0);
    EXPECT_TRUE(exists(file));
    EXPECT_EQ(fakeFileOpUi().count(Kind::Erase), 1u);
}

TEST_F(FileServiceTest, RootAndDotPathsAreRefused) {
    dir.write("inner/file", "f");
    fakeFileOpUi().errorAnswers = {IFileOpUi::ErrorChoice::Skip, IFileOpUi::ErrorChoice::Skip};
    EXPECT_NE(erase({"/", dir / "inner/.."}, JobOption::NoConfirmation | JobOption::Silent), 0);
    EXPECT_EQ(fakeFileOpUi().count(Kind::Error), 2u);
    EXPECT_EQ(readFile(dir / "inner/file"), "f");
    // Nor copied: "inner/sub/.." names inner, not the folder listed.
    dir.mkdir("inner/sub");
    EXPECT_NE(toTargets(JobKind::Copy, {dir / "inner/sub/.."}, {dir / "copy"}, Quiet | JobOption::NoErrorUi), 0);
    EXPECT_FALSE(exists(dir / "copy"));
}
