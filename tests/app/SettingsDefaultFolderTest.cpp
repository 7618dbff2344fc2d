// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/DirectoryListBox.h"
#include "SettingsTest.h"

namespace {

class SettingsDefaultFolderTest : public SettingsTest {};

TEST_F(SettingsDefaultFolderTest, PanesStartInTheLocationsDefaultFolderNotTheExecutables) {
    const std::string home = dir->mkdir("home");
    fakeSettingsLocation().startFolder = home + "/";
    TCopyForm& f = showForm();
    EXPECT_EQ(f.directoryListBox1()->directory(), home);
    EXPECT_EQ(f.directoryListBox2()->directory(), home);
}

}  // namespace
