// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Moves across file systems and full disks, on a small tmpfs (root only).
#include "EngineFixture.h"

class SecondFileSystemTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        tuning.chunkBytes = 64 * 1024;
        tuning.moveSyncFiles = 2;
    }
};

TEST_F(SecondFileSystemTest, MoveRemovesNoSourceBeforeItsCopyIsComplete) {
    TmpfsMount other(dir / "other", "16m");
    if (other.skip()) GTEST_SKIP() << "needs root to mount a tmpfs";
    std::vector<std::pair<std::string, std::string>> files;  // source, content
    for (int i = 0; i < 5; ++i) {
        const std::string content = bytes(std::size_t(100000 + i * 70000), char('a' + i));
        files.emplace_back(dir.write("tree/f" + std::to_string(i), content), content);
    }
    dir.write("tree/sub/inner", "inner");
    const std::string source = dir / "tree";
    const std::string target = other.path() + "/tree";
    auto targetOf = [&](const std::string& src) { return target + src.substr(source.size()); };

    // Checked at every file and every chunk while the worker waits: a source
    // is gone only when its target is complete.
    int checks = 0;
    ui.onUpdate = [&] {
        ++checks;
        for (const auto& [src, content] : files) {
            if (!exists(src)) {
                EXPECT_EQ(readFile(targetOf(src)), content) << src;
            }
        }
    };
    EXPECT_EQ(move({source}, other.path(), JobOption::NoConfirmation | JobOption::NoFolderQuestion), 0);
    EXPECT_GT(checks, 10);
    for (const auto& [src, content] : files) {
        EXPECT_FALSE(exists(src));
        EXPECT_EQ(readFile(targetOf(src)), content);
    }
    EXPECT_EQ(readFile(target + "/sub/inner"), "inner");
    EXPECT_FALSE(exists(source));
}

TEST_F(SecondFileSystemTest, FullDiskLeavesSourceAndNoPartialTarget) {
    TmpfsMount tiny(dir / "tiny", "1m");
    if (tiny.skip()) GTEST_SKIP() << "needs root to mount a tmpfs";
    const std::string fits = dir.write("src/fits", bytes(300000, 'f'));
    const std::string big = dir.write("src/big", bytes(900000, 'b'));
    const std::string after = dir.write("src/after", "small");

    EXPECT_EQ(move({fits, big, after}, tiny.path(), Quiet | JobOption::NoErrorUi), ENOSPC);
    EXPECT_EQ(readFile(big), bytes(900000, 'b'));
    EXPECT_FALSE(exists(fits));
    EXPECT_FALSE(exists(after));
    EXPECT_EQ(namesIn(tiny.path()), (std::vector<std::string>{"after", "fits"}));

    // The same for a copy, and for a copy that would replace a file.
    const std::string keep = tiny.path() + "/fits";
    ui.errorAnswers = {ErrorChoice::Skip, ErrorChoice::Skip};
    dir.write("src/fits", bytes(900000, 'n'));
    EXPECT_EQ(copy({dir / "src/fits", big}, tiny.path(), JobOption::Silent | JobOption::NoConfirmation), ENOSPC);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(readFile(keep), bytes(300000, 'f'));
    EXPECT_EQ(namesIn(tiny.path()), (std::vector<std::string>{"after", "fits"}));
}
