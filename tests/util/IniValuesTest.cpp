// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "util/IniValues.h"

namespace {

TEST(IniValues, LongValuesAreCutAt2047Bytes) {
    EXPECT_EQ(cutIniValue(std::string(2047, 'a')).size(), 2047u);
    EXPECT_EQ(cutIniValue(std::string(5000, 'a')), std::string(2047, 'a'));
    EXPECT_EQ(cutIniValue(""), "");
}

TEST(IniValues, CutNeverSplitsAUtf8Character) {
    // "あ" is three bytes; "😀" four.
    for (std::size_t ascii = 2040; ascii <= 2047; ++ascii) {
        const std::string cut = cutIniValue(std::string(ascii, 'a') + "ああ😀😀x");
        EXPECT_LE(cut.size(), 2047u);
        EXPECT_GE(cut.size(), 2044u);
        // Whole characters only: the result is a prefix made of full units.
        const std::string full = std::string(ascii, 'a') + "ああ😀😀x";
        EXPECT_EQ(full.compare(0, cut.size(), cut), 0);
        const unsigned char next = static_cast<unsigned char>(full[cut.size()]);
        EXPECT_NE(next & 0xC0, 0x80) << "cut inside a character after " << ascii;
    }
    EXPECT_EQ(cutIniValue(std::string(2046, 'a') + "あ"), std::string(2046, 'a'));
    EXPECT_EQ(cutIniValue(std::string(2044, 'a') + "あb"), std::string(2044, 'a') + "あ");
}

TEST(IniValues, CutOfInvalidBytesStaysWithinTheLimit) {
    const std::string stray(3000, '\x80');
    EXPECT_EQ(cutIniValue(stray).size(), 2047u);
    const std::string sjis = std::string(2046, 'a') + "\x83\x5c\x83\x5c";
    EXPECT_EQ(cutIniValue(sjis).size(), 2047u);
}

TEST(IniValues, DecimalIntegers) {
    EXPECT_EQ(parseIniInteger("202"), 202);
    EXPECT_EQ(parseIniInteger("-17"), -17);
    EXPECT_EQ(parseIniInteger("+5"), 5);
    EXPECT_EQ(parseIniInteger("007"), 7);
    EXPECT_EQ(parseIniInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseIniInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "2147483648", "-2147483649", "12a", "1 2", " 1", "+-1", "-", "+",
                            "1.5", "ten", "99999999999999999999"})
        EXPECT_EQ(parseIniInteger(bad), std::nullopt) << bad;
}

TEST(IniValues, HexadecimalIntegersAfterDollarOr0x) {
    EXPECT_EQ(parseIniInteger("$CA"), 202);
    EXPECT_EQ(parseIniInteger("$ca"), 202);
    EXPECT_EQ(parseIniInteger("0xCA"), 202);
    EXPECT_EQ(parseIniInteger("0XcA"), 202);
    EXPECT_EQ(parseIniInteger("$7FFFFFFF"), INT32_MAX);
    EXPECT_EQ(parseIniInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(parseIniInteger("$0000000010"), 16);
    for (const char* bad : {"$", "0x", "$100000000", "$-1", "$+1", "-$10", "0x 1", "$G", "x10", "0x0x1"})
        EXPECT_EQ(parseIniInteger(bad), std::nullopt) << bad;
}

TEST(IniValues, TrimDropsBlanksAndControlCharacters) {
    EXPECT_EQ(trimBlanks("  a b \t\r\n"), "a b");
    EXPECT_EQ(trimBlanks(" \x01 "), "");
    EXPECT_EQ(trimBlanks("データ "), "データ");
}

}  // namespace
