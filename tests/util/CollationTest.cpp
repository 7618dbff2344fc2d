#include <gtest/gtest.h>

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
