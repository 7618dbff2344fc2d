// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SettingsFile.h"
#include "controls/FolderFiles.h"
#include "SettingsTest.h"

namespace {

using Texts = std::vector<std::string>;
using Marks = std::vector<bool>;

class SettingsFilterTest : public SettingsTest {
protected:
    void load(const std::string& fileFolder) {
        writeSettings("[FileFolder]\n" + fileFolder);
        createForm();
    }
};

TEST_F(SettingsFilterTest, CheckFilterChecksTheFiltersItContains) {
    load("AllFilter=*.txt/*.m3u\nCheckFilter=*.m3u\n");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt", "*.m3u"}));
    EXPECT_EQ(checks(), (Marks{false, false, true}));
    EXPECT_EQ(form->FileListBox1->mask(), "*.m3u");

    // A substring of a longer checked filter counts too.
    load("AllFilter=*.m3u/*.txt/*.doc\nCheckFilter=*.m3u8;*.txt\n");
    EXPECT_EQ(checks(), (Marks{false, true, true, false}));
}

TEST_F(SettingsFilterTest, BlankOrEmptyFiltersAreKeptAsSpecified) {
    load("AllFilter=   \nCheckFilter=*.doc\n");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt"}));
    EXPECT_EQ(checks(), (Marks{false, true}));

    load("AllFilter=*.txt//*.m3u\nCheckFilter=*.txt;*.m3u\n");
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt", "", "*.m3u"}));
    EXPECT_EQ(checks(), (Marks{false, true, false, true}));

    load("AllFilter=*.txt/ *.m3u\nCheckFilter=*.m3u\n");  // fields are not trimmed
    EXPECT_EQ(filters(), (Texts{"*.*", "*.txt", " *.m3u"}));
    EXPECT_EQ(checks(), (Marks{false, false, false}));
}

TEST_F(SettingsFilterTest, AnyFilterChecksTheFirstEntryAndShowsEveryFile) {
    load("AnyFilter=1\nAllFilter=*.txt/*.doc\nCheckFilter=*.doc\n");
    EXPECT_EQ(checks(), (Marks{true, false, true}));
    EXPECT_EQ(form->FileListBox1->mask(), "*.*");
    EXPECT_EQ(checkFilterText(form->Filters->entries(), form->FileListBox1->mask()), "*.doc");
    EXPECT_EQ(allFilterText(form->Filters->entries()), "*.txt/*.doc");
}

}  // namespace
