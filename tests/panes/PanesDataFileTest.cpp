// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "util/DataFile.h"
#include "support/TestEnvironment.h"

namespace {

using Rows = std::vector<std::string>;

Rows parse(std::string_view text) { return parseDataFileText(text); }

TEST(DataFileText, EveryKindOfLineBreakEndsARow) {
    EXPECT_EQ(parse("a\r\nb\rc\nd"), (Rows{"a", "b", "c", "d"}));
    EXPECT_EQ(parse("a\n\rb"), (Rows{"a", "", "b"}));  // LF then a lone CR
    EXPECT_EQ(parse("a\r\r\nb"), (Rows{"a", "", "b"}));
    EXPECT_EQ(parse("a\n\nb"), (Rows{"a", "", "b"}));
    EXPECT_EQ(parse("a\rb\rc\r\nd\r"), (Rows{"a", "b", "c", "d"}));
    EXPECT_EQ(parse("\r\r\n\n"), (Rows{"", "", ""}));
}

TEST(DataFileText, AFinalLineBreakAddsNoRowButAnEmptyLineDoes) {
    EXPECT_EQ(parse(""), Rows{});
    EXPECT_EQ(parse("a"), Rows{"a"});
    EXPECT_EQ(parse("a\r\n"), Rows{"a"});
    EXPECT_EQ(parse("a\n"), Rows{"a"});
    EXPECT_EQ(parse("a\r"), Rows{"a"});
    EXPECT_EQ(parse("a\r\n\r\n"), (Rows{"a", ""}));
    EXPECT_EQ(parse("\r\n"), Rows{""});
    EXPECT_EQ(parse("\n\n"), (Rows{"", ""}));
}

TEST(DataFileText, ANulEndsTheText) {
    EXPECT_EQ(parse(std::string_view("a\nb\0c\nd", 7)), (Rows{"a", "b"}));
    EXPECT_EQ(parse(std::string_view("\0a\n", 3)), Rows{});
    EXPECT_EQ(parse(std::string_view("a\r\0\nb", 5)), Rows{"a"});
}

TEST(DataFileText, BytesAreKeptExactly) {
    const std::string odd = "/tmp/\x83\x74\x83\x40\x83\x43\x83\x8b \t.txt  ";  // Shift-JIS, blanks
    EXPECT_EQ(parse(odd + "\r\n/b\xff\xfe"), (Rows{odd, "/b\xff\xfe"}));
}

class DataFileReading : public PlatformTest {};

TEST_F(DataFileReading, ReadsARegularFileInOneGo) {
    TempDir d;
    std::vector<std::string> rows{"stale"};
    EXPECT_EQ(readDataFile(d.write("a.txt", "/x/1\r\n/x/2\r\n"), rows), DataFileRead::Ok);
    EXPECT_EQ(rows, (Rows{"/x/1", "/x/2"}));
    EXPECT_EQ(readDataFile(d.write("e.txt", ""), rows), DataFileRead::Ok);
    EXPECT_TRUE(rows.empty());
}

TEST_F(DataFileReading, RefusesWhatIsNotARegularFileWithoutBlocking) {
    TempDir d;
    std::vector<std::string> rows{"stale"};
    ASSERT_EQ(::mkfifo((d / "pipe.txt").c_str(), 0644), 0);
    EXPECT_EQ(readDataFile(d / "pipe.txt", rows), DataFileRead::Unreadable);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(readDataFile(d.mkdir("dir.txt"), rows), DataFileRead::Unreadable);
    EXPECT_EQ(readDataFile(d / "missing.txt", rows), DataFileRead::Unreadable);
}

TEST_F(DataFileReading, RefusesAFileBeyondTheLimit) {
    TempDir d;
    std::vector<std::string> rows;
    const std::string file = d.write("big.txt", std::string(100, 'x'));
    EXPECT_EQ(readDataFile(file, rows, 99), DataFileRead::TooLarge);
    EXPECT_EQ(readDataFile(file, rows, 100), DataFileRead::Ok);
}

TEST_F(DataFileReading, LargeAndOddFilesLoad) {
    TempDir d;
    std::vector<std::string> rows;
    const std::string longLine(1 << 20, 'L');
    ASSERT_EQ(readDataFile(d.write("long.txt", "/a\r\n" + longLine + "\r\n/b"), rows),
              DataFileRead::Ok);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], longLine);

    std::string big;
    const std::string line = "/home/user/some/folder/file_0000000.dat\r\n";
    big.reserve(50u << 20);
    while (big.size() + line.size() <= (50u << 20)) big += line;
    ASSERT_EQ(readDataFile(d.write("big.txt", big), rows), DataFileRead::Ok);
    ASSERT_EQ(rows.size(), big.size() / line.size());
    EXPECT_EQ(rows.back(), line.substr(0, line.size() - 2));
}

}  // namespace
