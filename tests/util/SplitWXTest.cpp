// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "util/SplitWX.h"

namespace {

std::vector<std::string> split(const std::string& text, const std::string& delimiters) {
    TSplitWX s;
    const int n = s.Split(text, delimiters);
    EXPECT_EQ(n, static_cast<int>(s.Items.size()));
    return s.Items;
}

using V = std::vector<std::string>;

TEST(SplitWX, EmptyFieldsCountLikeAnyOther) {
    EXPECT_EQ(split("a/b/c", "/"), (V{"a", "b", "c"}));
    EXPECT_EQ(split("a;;b", ";"), (V{"a", "", "b"}));
    EXPECT_EQ(split("a;", ";"), (V{"a", ""}));
    EXPECT_EQ(split(";a", ";"), (V{"", "a"}));
    EXPECT_EQ(split("", ";"), (V{""}));
    EXPECT_EQ(split("no delimiter", ";"), (V{"no delimiter"}));
    EXPECT_EQ(split(" a ; b ", ";"), (V{" a ", " b "}));  // not trimmed
}

TEST(SplitWX, AnyOfSeveralDelimiters) {
    EXPECT_EQ(split("a;b/c", ";/"), (V{"a", "b", "c"}));
    EXPECT_EQ(split("a;b/c", ""), (V{"a;b/c"}));
}

TEST(SplitWX, MultiByteCharactersNeverSplit) {
    // "ー" is E3 83 BC; "表" is E8 A1 A8. A delimiter given as a multi-byte
    // character only matches that whole character.
    EXPECT_EQ(split("データ/表;x", "/;"), (V{"データ", "表", "x"}));
    EXPECT_EQ(split("a・b・c", "・"), (V{"a", "b", "c"}));
    // "・" is E3 83 BB and "ー" E3 83 BC: sharing leading bytes is no match.
    EXPECT_EQ(split("aーb", "・"), (V{"aーb"}));
}

TEST(SplitWX, InvalidUtf8StaysByteForByte) {
    const std::string sjis = "\x95\x5c;\x83\x5c";  // Shift-JIS 表 and ソ: second byte 0x5C
    EXPECT_EQ(split(sjis, ";"), (V{"\x95\x5c", "\x83\x5c"}));
    EXPECT_EQ(split("\xff/\xfe", "/"), (V{"\xff", "\xfe"}));
}

}  // namespace
