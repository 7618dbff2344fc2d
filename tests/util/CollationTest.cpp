// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <thread>

#include <unicode/uloc.h>

#include "util/Collation.h"

TEST(Collation, IgnoresCaseThenOrdersExactBytes) {
    std::vector<std::string> v = {"b.txt", "B.txt", "a.txt", "A.txt", "b.txt", "C"};
    sortCaseInsensitive(v);
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(std::string(v[0]).substr(1), ".txt");
    EXPECT_EQ(std::tolower(v[0][0]), 'a');
    EXPECT_EQ(std::tolower(v[1][0]), 'a');
    // Exact duplicates stand next to each other.
    const auto first = std::find(v.begin(), v.end(), "b.txt");
    ASSERT_NE(first, v.end());
    EXPECT_EQ(*(first + 1), "b.txt");
    EXPECT_EQ(v.back(), "C");
}

TEST(Collation, InvalidUtf8SortsWithoutLosingBytes) {
    std::vector<std::string> v = {"\xff\xfe", "a", "\x95\x5c"};
    sortCaseInsensitive(v);
    std::vector<std::string> expected = {"\xff\xfe", "a", "\x95\x5c"};
    std::sort(v.begin(), v.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(v, expected);
    EXPECT_NE(compareCaseInsensitive("\xff", "\xfe"), 0);
    EXPECT_EQ(compareCaseInsensitive("abc", "abc"), 0);
    EXPECT_LT(compareCaseInsensitive("ABC", "abd"), 0);
}

// The keyed sort must give exactly the order of the comparison, whatever the
// locale's contractions, contexts and script order: random texts from an
// alphabet that meets them all, sorted both ways.
TEST(Collation, KeyedSortKeepsTheComparisonsOrderInEveryLocale) {
    const std::vector<std::string> alphabet = {
        "a", "A", "b", "e", "E", "c", "C", "h", "H", "l", "L", "z", "0", "/", ".", " ", "_", "-",
        "\xe3\x83\x88", "\xe3\x83\x89", "\xe3\x81\xaf", "\xe3\x81\xb0", "\xe3\x81\xb1",  // to, do, ha, ba, pa
        "\xc2\xb7",          // middle dot (contraction with l)
        "\xc3\xa9", "e\xcc\x81",  // precomposed and combining acute
        "\xc3\xa5", "\xc3\xa6", "\xc3\xb8", "\xc3\xbc", "\xc4\x8d", "\xc5\x99", "\xc3\x9f",
        "\xef\xbc\xa1", "\xef\xbd\x81",  // full-width A and a
        "\xce\xb1", "\xd0\xb1",          // alpha, be
        "\xe3\x81\x82", "\xe3\x82\xa2", "\xe3\x81\x81", "\xe3\x83\xbc", "\xe3\x82\x9d",  // kana, long mark, iteration
        "\xe5\x86\x99", "\xe7\x9c\x9f", "\xe5\xad\x97",  // kanji
        "\xea\xb0\x80", "\xe0\xb9\x80", "\xe0\xb8\x81",  // hangul, thai
        "\xe3\x81\x8c", "\xe3\x81\x8b\xe3\x82\x99", "\xc3\xa4", "a\xcc\x88",  // ga, ka+voicing, a umlaut
        "\xf0\x9f\x98\x80", "\x01", "\t", "\xff", "\x95\x5c"};
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xffff; };
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {  // more than a folder's few names
        std::string t = i % 3 ? "/home/" : "";
        if (i % 5 == 0) t += "/home/user/Pictures/2024/trip/day one/";  // deep: long shared prefixes
        if (i % 4 != 0) t = texts.back() + "/";  // a folder below the text before, as a walk lists them
        for (int k = int(next() % 7); k >= 0; --k)
            t += alphabet[next() % (next() % 4 ? 23 : alphabet.size())];
        texts.push_back(t);
        if (i % 10 == 0) texts.push_back(t);  // exact duplicates
    }
    for (const char* locale : {"", "ja", "cs", "da", "sv", "de", "tr", "th", "ko", "zh", "fr_CA",
                               "und-u-kr-grek-latn", "en-u-ka-shifted", "en-u-kn"}) {
        CaseInsensitiveCollation collation(locale);
        std::vector<std::string> keyed = texts, reference = texts;
        collation.sort(keyed);
        std::sort(reference.begin(), reference.end(), [&](const std::string& a, const std::string& b) {
            return collation.compare(a, b) < 0;
        });
        EXPECT_EQ(keyed, reference) << "locale " << locale;
        CaseInsensitiveCollation prepared(locale);  // every weight looked up before the sort
        prepared.prepare();
        keyed = texts;
        prepared.sort(keyed);
        EXPECT_EQ(keyed, reference) << "prepared, locale " << locale;
    }
}

// A thread's collation goes back to a pool when the thread ends; a later
// thread of another locale must not get it.
TEST(Collation, ThreadOfAnotherLocaleGetsItsOwnCollation) {
    const std::string before = uloc_getDefault();
    UErrorCode status = U_ZERO_ERROR;
    const auto compareOnThread = [](const char* locale) {
        UErrorCode s = U_ZERO_ERROR;
        uloc_setDefault(locale, &s);
        int result = 0;
        std::thread([&] { result = compareCaseInsensitive("\xC3\xA4", "z"); }).join();  // "ä"
        return result;
    };
    EXPECT_LT(compareOnThread("de"), 0);
    EXPECT_GT(compareOnThread("sv"), 0);  // Swedish puts ä after z
    EXPECT_LT(compareOnThread("de"), 0);
    uloc_setDefault(before.c_str(), &status);
}
