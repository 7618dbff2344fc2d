// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "filters/FilterList.h"

namespace {

using Entries = std::vector<FilterEntry>;

TEST(FilterList, StoredTextsOfTheList) {
    // A list of more than one entry starts again from an unchecked "*.*".
    Entries list = RebuildFilterList({{"*.*", true}, {"*.x", true}}, "*.a/*.b/*.c", "*.a;*.c");
    EXPECT_EQ(list, (Entries{{"*.*", false}, {"*.a", true}, {"*.b", false}, {"*.c", true}}));
    EXPECT_EQ(allFilterText(list), "*.a/*.b/*.c");
    // With "*.*" unchecked the stored check text is the mask itself.
    EXPECT_EQ(checkFilterText(list, "*.b"), "*.b");
    list[0].checked = true;
    EXPECT_EQ(checkFilterText(list, "*.b"), "*.a;*.c");
    list[1].checked = list[3].checked = false;
    EXPECT_EQ(checkFilterText(list, "*.b"), "");
    EXPECT_EQ(allFilterText({{"*.*", false}}), "");
}

TEST(FilterList, TheMaskOfTheCheckMarks) {
    EXPECT_EQ(checkedMask({{"*.*", true}, {"*.m3u", true}}), "*.*");
    EXPECT_EQ(checkedMask({{"*.*", false}, {"*.txt", true}, {"*.doc", false}, {"*.m3u", true}}),
              "*.txt;*.m3u");
    EXPECT_EQ(checkedMask({{"*.*", false}, {"*.txt", false}}), "");
}

}  // namespace
