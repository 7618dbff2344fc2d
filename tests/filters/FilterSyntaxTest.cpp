// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "filters/FilterSyntax.h"

namespace {

TEST(FilterSyntax, PatternsNameExactlyOneExtension) {
    struct Case { const char* text; bool valid; const char* trimmed; };
    const Case cases[] = {
        {"*.*", true, "*.*"},
        {" \t\r\n", true, ""},
        {"*.txt;*.m3u", true, "*.txt;*.m3u"},
        {"\t *.TXT ;  *.m3u \x01", true, "*.TXT ;  *.m3u"},
        {"*.日本", true, "*.日本"},
        {";*.txt", false, ";*.txt"},
        {"*.txt;", false, "*.txt;"},
        {"*.txt;;*.m3u", false, "*.txt;;*.m3u"},
        {"*.tar.gz", false, "*.tar.gz"},
        {"*.t?t", false, "*.t?t"},
        {"abc*.txt", false, "abc*.txt"},
        {"readme.txt", false, "readme.txt"},
        {"*txt", false, "*txt"},
        {"*.", false, "*."},
        {"*.*;*.txt", false, "*.*;*.txt"},
        {"*.a/b", false, "*.a/b"},
        {"*.a|b", false, "*.a|b"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(ValidateFilter(text), c.valid) << c.text;
        EXPECT_EQ(text, c.trimmed) << c.text;
    }
}

}  // namespace
