// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "util/IniFile.h"

namespace {

TEST(SettingsValue, DataFileExtensionsComeFromTxtFilter) {
    EXPECT_EQ(DeriveDataFileExtensions("*.txt;*.m3u"), ".txt;.m3u;");
    EXPECT_EQ(DeriveDataFileExtensions(""), ";");
    EXPECT_EQ(DeriveDataFileExtensions("*.txt ; *.m3u"), ".txt;.m3u;");
}

TEST(SettingsValue, WhatIsSavedIsLoadedAgain) {
    Settings s;
    s.left = -5;
    s.checkFilter = "*.m3u";
    s.allFilter = "*.txt/*.m3u";
    s.dataFolder = "/data";
    s.sendToFolder = "/send データ";
    s.selectedFolders = "/a;/b";
    s.fileEraseEnabled = true;
    s.fileOperationOptions = 0x80;
    IniFile file;
    saveSettings(s, file);
    IniFile again;
    again.parse(file.serialize());
    EXPECT_EQ(loadSettings(again, Settings{}), s);
}

TEST(SettingsValue, AMaximizedWindowKeepsItsStoredBounds) {
    IniFile file;
    file.parse("[Form]\nLeft=11\nTop=12\nWidth=613\nHeight=314\n");
    Settings s;
    s.maximized = true;
    s.left = 1;
    saveSettings(s, file);
    const Settings loaded = loadSettings(file, Settings{});
    EXPECT_TRUE(loaded.maximized);
    EXPECT_EQ(loaded.left, 11);
    EXPECT_EQ(loaded.height, 314);
}

}  // namespace
