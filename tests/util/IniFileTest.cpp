// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/core/TestFiles.h"
#include "util/IniFile.h"
#include "util/IniFileIo.h"
#include "util/SyscallSeam.h"

namespace {

TEST(IniFile, NamesMatchWithoutRegardToCaseAndValuesAreTrimmed) {
    IniFile ini;
    ini.parse("[form]\r\nLEFT =  12 \r\n[Other]\nkey=\t/a b/ \n");
    EXPECT_EQ(ini.readInteger("Form", "Left", 0), 12);
    EXPECT_EQ(ini.readString("OTHER", "Key", "x"), "/a b/");
    EXPECT_EQ(ini.readString("Form", "Missing", "fallback"), "fallback");
    EXPECT_EQ(ini.readString("Nowhere", "Left", "fallback"), "fallback");
}

TEST(IniFile, TheFirstOfDuplicateKeysWinsAndIsTheOneWritten) {
    IniFile ini;
    ini.parse("[A]\nk=1\nk=2\n[a]\nk=3\n");
    EXPECT_EQ(ini.readInteger("A", "k", 0), 1);
    ini.writeInteger("A", "k", 9);
    EXPECT_EQ(ini.serialize(), "[A]\nk=9\nk=2\n[a]\nk=3\n");
    IniFile again;
    again.parse(ini.serialize());
    EXPECT_EQ(again.readInteger("a", "K", 0), 9);
}

TEST(IniFile, IntegersAndBooleans) {
    IniFile ini;
    ini.parse("[S]\nhex=$10\nbad=12x\nempty=\nyes=-3\nno=0\nbadbool=true\n");
    EXPECT_EQ(ini.readInteger("S", "hex", 0), 16);
    EXPECT_EQ(ini.readInteger("S", "bad", 7), 7);
    EXPECT_EQ(ini.readInteger("S", "empty", 7), 7);
    EXPECT_TRUE(ini.readBool("S", "yes", false));
    EXPECT_FALSE(ini.readBool("S", "no", true));
    EXPECT_TRUE(ini.readBool("S", "badbool", true));
    EXPECT_FALSE(ini.readBool("S", "badbool", false));
}

TEST(IniFile, ANewDocumentHasItsKeysInWritingOrder) {
    IniFile ini;
    ini.writeBool("Form", "Maximized", false);
    ini.writeInteger("Form", "Left", -5);
    ini.writeString("Files", "Zeta", "z");
    ini.writeString("Files", "Alpha", "/a/データ");
    ini.writeInteger("Form", "Top", 3);
    EXPECT_EQ(ini.serialize(), "[Form]\nMaximized=0\nLeft=-5\nTop=3\n\n[Files]\nZeta=z\nAlpha=/a/データ\n");
}

// A file written by hand: every line that is not a key written keeps its
// bytes and line end; written keys keep their place, key text and line end.
TEST(IniFile, WritingTouchesOnlyTheLinesOfTheKeysWritten) {
    for (const std::string eol : {"\r\n", "\n"}) {
        auto file = [&eol](std::initializer_list<const char*> lines, const char* last) {
            std::string bytes;
            for (const char* line : lines) bytes += std::string(line) + eol;
            return bytes + last;
        };
        IniFile ini;
        ini.parse(file({"; my settings", "note without equals sign", "", "[Mine]", "x=1", "",
                        "[form]", "; where", " left = 1", "Own=yes", "stray text", ""},
                       "; last comment"));
        ini.writeInteger("Form", "Left", 2);
        ini.writeInteger("Form", "Top", 3);
        ini.writeInteger("New", "k", 4);
        EXPECT_EQ(ini.serialize(),
                  file({"; my settings", "note without equals sign", "", "[Mine]", "x=1", "",
                        "[form]", "; where", " left =2", "Own=yes", "stray text", "Top=3", "",
                        "; last comment", "", "[New]", "k=4"},
                       ""))
            << (eol == "\n" ? "LF" : "CRLF");
    }
}

TEST(IniFile, AValueWithALineBreakOrANulIsNotWritten) {
    IniFile ini;
    ini.parse("[S]\nk=old\n");
    EXPECT_FALSE(ini.writeString("S", "k", "x\n[BaseSettings]\nFileOperationOptions=1"));
    EXPECT_FALSE(ini.writeString("S", "n", "x\ry"));
    // Read back, a NUL would be a blank, and in memory the end of the value.
    EXPECT_FALSE(ini.writeString("S", "k", std::string("/a\0b", 4)));
    EXPECT_EQ(ini.serialize(), "[S]\nk=old\n");
    EXPECT_EQ(ini.readString("S", "k", ""), "old");
}

TEST(IniFile, GarbageNeverBreaksReading) {
    std::string bytes = "\xEF\xBB\xBF[Form]\nLeft=4\n\x01\x02\xff\xfe garbage\n=novalue\n[unclosed\n";
    bytes += "Top=5" + std::string(3, '\0') + "binary\nWidth=6\n";
    bytes += "Height=" + std::string(1 << 20, '7') + "\n[Other\nHeight=1\n";
    IniFile ini;
    ini.parse(bytes);
    EXPECT_EQ(ini.readInteger("Form", "Left", 0), 4);
    EXPECT_EQ(ini.readInteger("Form", "Top", 0), 0);  // "5   binary" is no integer
    EXPECT_EQ(ini.readInteger("Form", "Width", 0), 6);  // after the NUL bytes
    EXPECT_EQ(ini.readInteger("Form", "Height", 9), 9);
    EXPECT_EQ(ini.readString("Form", "Height", "").size(), 2047u);
    EXPECT_EQ(ini.serialize(), bytes);  // nothing written, nothing changed
    ini.writeInteger("Form", "Left", 5);
    std::string expected = bytes;
    expected.replace(expected.find("Left=4"), 6, "Left=5");
    EXPECT_EQ(ini.serialize(), expected);

    ini.parse("\xEF\xBB\xBF[\n[Form]\nTop=2\n");  // unclosed right after the signature
    EXPECT_EQ(ini.readInteger("Form", "Top", 0), 2);
}

class IniFileIoTest : public ::testing::Test {};

TEST_F(IniFileIoTest, ReadingTellsMissingFromUnreadable) {
    TempDir dir;
    std::string bytes = "stale";
    EXPECT_EQ(readWholeFile(dir / "none.ini", bytes), FileReadResult::Missing);
    EXPECT_EQ(bytes, "");
    const std::string file = dir.write("a.ini", std::string("x\0y", 3));
    EXPECT_EQ(readWholeFile(file, bytes), FileReadResult::Read);
    EXPECT_EQ(bytes, std::string("x\0y", 3));
    EXPECT_EQ(readWholeFile(file + "/below", bytes), FileReadResult::Missing);
    EXPECT_EQ(readWholeFile(dir.path(), bytes), FileReadResult::Failed);
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(readWholeFile(fifo, bytes), FileReadResult::Failed);  // and does not block
}

TEST_F(IniFileIoTest, WritingReplacesTheWholeFileAndLeavesNothingElse) {
    TempDir dir;
    const std::string file = dir / "sub/deeper/s.ini";
    ASSERT_TRUE(writeFileAtomically(file, "first\n"));
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(file, "second\n"));
    EXPECT_EQ(readFile(file), "second\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir / "sub/deeper"))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"s.ini"});
}

// Dotfiles kept in a repository through links keep their links, also
// through a chain of relative links to a file not made yet.
TEST_F(IniFileIoTest, WritingThroughSymlinksKeepsTheLinks) {
    const struct {
        const char* target;  // the end of the chain, below the folder
        bool exists;
        std::vector<std::pair<const char*, const char*>> links;  // name, what it points to
    } cases[] = {
        {"real/s.ini", true, {{"link.ini", "real/s.ini"}}},
        {"repo/s.ini", false, {{"link.ini", "middle.ini"}, {"middle.ini", "repo/s.ini"}}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.mkdir("repo");
        if (c.exists) dir.write(c.target, "old");
        for (const auto& [name, to] : c.links) ASSERT_EQ(::symlink(to, (dir / name).c_str()), 0);
        ASSERT_TRUE(writeFileAtomically(dir / "link.ini", "new")) << c.target;
        for (const auto& [name, to] : c.links) EXPECT_TRUE(std::filesystem::is_symlink(dir / name)) << name;
        EXPECT_EQ(readFile(dir / c.target), "new");
    }
}

// The temporary name does not grow with the file's: a name near NAME_MAX
// is written.
TEST_F(IniFileIoTest, ANameOfTwoHundredFiftyBytesIsWritten) {
    TempDir dir;
    const std::string file = dir / (std::string(246, 'n') + ".ini");
    ASSERT_TRUE(writeFileAtomically(file, "x"));
    EXPECT_EQ(readFile(file), "x");
}

// What a crash left of our temporaries goes when a later process writes
// there: leftovers of ours only, and none that is open or newer than the
// process.
TEST_F(IniFileIoTest, ALaterProcessRemovesTheTemporariesACrashLeft) {
    TempDir dir;
    const std::vector<std::string> stale = {dir.write(".dorvanquellis-0123456789ab.new"),
                                            dir.write("s.ini.tmp4711_815")};
    const std::vector<std::string> kept = {dir.write(".dorvanquellis-open00000000.new"),
                                           dir.write(".dorvanquellis-notours.new"), dir.write("t.ini.tmp1_2"),
                                           dir.write("s.ini.tmp_backup")};
    const int open = ::open(kept[0].c_str(), O_RDONLY);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the next process starts later
    const pid_t child = ::fork();
    if (child == 0) std::_Exit(writeFileAtomically(dir / "s.ini", "x") ? 0 : 1);
    int status = -1;
    ::waitpid(child, &status, 0);
    ::close(open);
    EXPECT_EQ(status, 0);
    for (const auto& p : stale) EXPECT_FALSE(exists(p)) << p;
    for (const auto& p : kept) EXPECT_TRUE(exists(p)) << p;
    const std::string fresh = dir.write(".dorvanquellis-fresh0000000.new");  // this process's own
    ASSERT_TRUE(writeFileAtomically(dir / "u.ini", "x"));
    EXPECT_TRUE(exists(fresh));
}

TEST_F(IniFileIoTest, AFailedWriteLeavesTheOldFile) {
    TempDir dir;
    const std::string blocker = dir.write("file", "keep");
    EXPECT_FALSE(writeFileAtomically(blocker + "/s.ini", "x"));  // a parent is a file
    const std::string folder = dir.mkdir("folder.ini");
    EXPECT_FALSE(writeFileAtomically(folder, "x"));
    EXPECT_EQ(readFile(blocker), "keep");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"file", "folder.ini"}));
}

}  // namespace

// Pieces that give up leave the old file as it was and no temporary behind.
TEST(IniFileIo, APieceWiseWriteThatGivesUpKeepsTheOldFile) {
    TempDir dir;
    const std::string file = dir.write("list.txt", "old\r\n");
    EXPECT_FALSE(writeFileAtomically(file, [](const ByteSink& sink) {
        return sink(std::string(20 << 20, 'x')) && false;
    }));
    EXPECT_EQ(readFile(file), "old\r\n");
    ASSERT_TRUE(writeFileAtomically(file, [](const ByteSink& sink) {
        return sink("a\r\n") && sink(std::string(9 << 20, 'b')) && sink("\r\n");
    }));
    EXPECT_EQ(readFile(file).size(), std::size_t(3 + (9 << 20) + 2));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The old file is gone once the rename is on the disk: the new data must be
// there first, and the folder's new entry is flushed after.
TEST(IniFileIo, TheFileIsFlushedBeforeTheRenameAndTheFolderAfter) {
    TempDir dir;
    const std::string file = dir.write("s.ini", "old");
    struct Flush {
        bool folder;
        std::string fileText;  // what the settings file held then
    };
    std::vector<Flush> flushes;
    syscalls::Overrides recording;
    recording.fsync = [&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        flushes.push_back({S_ISDIR(st.st_mode), readFile(file)});
        return ::fsync(fd);
    };
    syscalls::ScopedOverrides scoped(recording);
    ASSERT_TRUE(writeFileAtomically(file, "new"));
    ASSERT_EQ(flushes.size(), 2u);
    EXPECT_FALSE(flushes[0].folder);
    EXPECT_EQ(flushes[0].fileText, "old");
    EXPECT_TRUE(flushes[1].folder);
    EXPECT_EQ(flushes[1].fileText, "new");
}
