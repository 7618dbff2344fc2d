// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/IFileSystem.h"
#include "engine/PosixFileSystem.h"
#include "support/core/TestFiles.h"
#include "util/SyscallSeam.h"

namespace {

class HiddenListTest : public ::testing::Test {
protected:
    PosixFileSystem fs;
    TempDir dir;
};

TEST_F(HiddenListTest, EditsKeepTheUsersLinesInOrderAndTheFileMode) {
    const auto f = dir.write("f");
    dir.write(".hidden", "b\r\nf\na");
    ::chmod((dir / ".hidden").c_str(), 0640);
    ASSERT_TRUE(fs.setAttribute(f, attr::Hidden, false));
    EXPECT_EQ(readFile(dir / ".hidden"), "b\r\na");
    ASSERT_TRUE(fs.setAttribute(f, attr::Hidden, true));
    EXPECT_EQ(readFile(dir / ".hidden"), "b\r\na\nf\n");
    struct stat st {};
    ::stat((dir / ".hidden").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(*fs.attributes(f) & attr::Hidden);
}

TEST_F(HiddenListTest, NamesWithALineBreakAreNotProcessed) {
    dir.write(".hidden", "other\n");
    for (const std::string name : {"report\r", "two\nlines"}) {
        EXPECT_FALSE(fs.setAttribute(dir.write(name), attr::Hidden, true)) << name;
        EXPECT_EQ(readFile(dir / ".hidden"), "other\n");
    }
}

TEST_F(HiddenListTest, ASpecialHiddenFileIsNeitherOpenedNorReplaced) {
    // A FIFO would block any reader that opened it.
    ASSERT_EQ(::mkfifo((dir / ".hidden").c_str(), 0644), 0);
    const auto f = dir.write("f");
    EXPECT_FALSE(*fs.attributes(f) & attr::Hidden);
    std::vector<DirEntry> entries;
    EXPECT_TRUE(fs.listDirectory(dir.path(), entries));
    EXPECT_FALSE(fs.setAttribute(f, attr::Hidden, true));
    struct stat st {};
    ::lstat((dir / ".hidden").c_str(), &st);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(HiddenListTest, AStrayTemporaryNameIsNeverWrittenThrough) {
    const auto victim = dir.write("victim", "keep");
    ASSERT_EQ(::symlink(victim.c_str(), (dir / ".hidden.dorvan-tmp").c_str()), 0);
    ASSERT_TRUE(fs.setAttribute(dir.write("f"), attr::Hidden, true));
    EXPECT_EQ(readFile(victim), "keep");
    EXPECT_EQ(readFile(dir / ".hidden"), "f\n");
}

TEST_F(HiddenListTest, AFailedFlushLeavesTheListAsItWas) {
    dir.write(".hidden", "other\n");
    const auto f = dir.write("f");
    syscalls::Overrides failing;
    failing.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    syscalls::ScopedOverrides scoped(failing);
    EXPECT_FALSE(fs.setAttribute(f, attr::Hidden, true));
    EXPECT_EQ(readFile(dir / ".hidden"), "other\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// A list kept elsewhere through a link keeps its link; a change another
// program makes while ours is written stays.
TEST_F(HiddenListTest, TheListIsWrittenThroughItsLinkAndKeepsChangesMadeMeanwhile) {
    const auto kept = dir.write("dotfiles/hidden", "other\n");
    ASSERT_EQ(::symlink("dotfiles/hidden", (dir / ".hidden").c_str()), 0);
    bool changed = false;
    syscalls::Overrides otherProgram;
    otherProgram.fsync = [&](int fd) {
        if (!changed) {
            changed = true;
            std::ofstream(kept, std::ios::app) << "theirs\n";
        }
        return ::fsync(fd);
    };
    syscalls::ScopedOverrides scoped(otherProgram);
    ASSERT_TRUE(fs.setAttribute(dir.write("f"), attr::Hidden, true));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / ".hidden"));
    EXPECT_EQ(readFile(kept), "other\ntheirs\nf\n");
}

}  // namespace
