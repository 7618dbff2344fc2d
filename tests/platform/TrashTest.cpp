// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop trash through the service (XDG_DATA_HOME points into the test
// home): one question, and everything restorable.
#include <unistd.h>

#include "FileServiceFixture.h"

using Kind = FakeFileOpUi::Kind;

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

