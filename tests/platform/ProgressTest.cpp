// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The progress dialog: flags and title, and cancelling part way.
#include "FileServiceFixture.h"

TEST_F(FileServiceTest, ProgressFollowsSilentAndSimpleProgress) {
    const std::string a = dir.write("a.txt", "a");
    EXPECT_EQ(copy({a}, dir / "silent", Quiet), 0);
    EXPECT_EQ(fakeFileOpUi().begins, 0);
    EXPECT_EQ(fakeFileOpUi().updates, 0);

    title = QStringLiteral("しばらくお待ち下さい。");
    const JobOptions shown = JobOption::NoConfirmation | JobOption::NoFolderQuestion;
    EXPECT_EQ(copy({a}, dir / "simple", shown | JobOption::SimpleProgress), 0);
    EXPECT_EQ(fakeFileOpUi().begins, 1);
    EXPECT_EQ(fakeFileOpUi().ends, 1);
    EXPECT_EQ(fakeFileOpUi().title, title);
    EXPECT_TRUE(fakeFileOpUi().simple);
    EXPECT_GT(fakeFileOpUi().updates, 0);

    title.clear();
    EXPECT_EQ(move({a}, dir / "full", shown), 0);
    EXPECT_EQ(fakeFileOpUi().begins, 2);
    EXPECT_EQ(fakeFileOpUi().ends, 2);
    EXPECT_FALSE(fakeFileOpUi().simple);
    EXPECT_EQ(fakeFileOpUi().title, QStringLiteral("移動"));
    ASSERT_FALSE(fakeFileOpUi().updatedPaths.empty());
    ASSERT_FALSE(fakeFileOpUi().actions.isEmpty());
    EXPECT_EQ(fakeFileOpUi().updatedPaths.back(), a);
    EXPECT_EQ(fakeFileOpUi().actions.back(), QStringLiteral("移動しています..."));
}

TEST_F(FileServiceTest, CancelLeavesNoPartialFile) {
    FileOpTuning tuning;
    tuning.chunkBytes = 64 * 1024;
    service.setTuning(tuning);
    const std::string big(1 << 20, 'b');
    const std::string first = dir.write("src/first", "first");
    const std::string large = dir.write("src/large", big);
    const std::string last = dir.write("src/last", "last");
    // Updates: one per file (first, large), then one per chunk of large.
    fakeFileOpUi().cancelAfterUpdates = 5;
    const JobOptions flags = JobOption::NoConfirmation | JobOption::NoFolderQuestion;
    EXPECT_EQ(copy({first, large, last}, dir / "copy", flags), ECANCELED);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(fakeFileOpUi().ends, 1);
    EXPECT_EQ(namesIn(dir / "copy"), std::vector<std::string>{"first"});

    // A move stops between files.
    fakeFileOpUi().reset();
    fakeFileOpUi().cancelAfterUpdates = 2;
    EXPECT_EQ(move({first, large, last}, dir / "moved", flags), ECANCELED);
    EXPECT_EQ(namesIn(dir / "moved"), std::vector<std::string>{"first"});
    EXPECT_EQ(readFile(large), big);
    EXPECT_EQ(readFile(last), "last");
}
