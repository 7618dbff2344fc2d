// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "filters/MaskExtensions.h"

namespace {

TEST(MaskExtensionsTest, FilterTextFromTheMask) {
    const std::pair<const char*, const char*> cases[] = {
        {"*.txt;*.m3u", ".TXT;.M3U;"}, {"*.Txt", ".TXT;"}, {"*.*", "*.*"},
        {"*.txt;*.*;*.m3u", "*.*"},    {"*.jpg;*.写真", ".JPG;.写真;"},
    };
    for (const auto& [mask, text] : cases) {
        const MaskExtensions filter(mask);
        EXPECT_EQ(filter.text(), text) << mask;
        EXPECT_EQ(filter.allFiles(), std::string(text) == "*.*") << mask;
    }
}

TEST(MaskExtensionsTest, MatchesWholeExtensionsIgnoringAsciiCase) {
    struct Case { const char* mask; const char* name; bool matches; };
    const Case cases[] = {
        {"*.txt", "A.TXT", true},        {"*.txt", "b.Txt", true},
        {"*.txt", "c.txt", true},        {"*.txt", "notes", false},
        {"*.txt", "d.text", false},      {"*.txt", "e.xt", false},
        {"*.txt", "f.txt.bak", false},   {"*.txt", "archive.tar.txt", true},
        {"*.txt;*.m3u", "list.M3U", true}, {"*.txt;*.m3u", "list.m3", false},
        {"*.*", "notes", true},          {"*.*", ".profile", true},
        {"*.txt", ".txt", true},         {"*.写真", "a.写真", true},
        {"*.m3u ; *.pls", "a.M3U", true}, {"*.m3u ; *.pls", "b.pls", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskExtensions(c.mask).matches(c.name), c.matches) << c.mask << " " << c.name;
}

}  // namespace
