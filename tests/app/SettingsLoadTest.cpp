// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QFrame>

#include "app/SettingsWindow.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "controls/FolderListing.h"
#include "SettingsTest.h"

namespace {

class SettingsLoadTest : public SettingsTest {};

std::string withoutSlash(std::string folder) {
    folder.pop_back();
    return folder;
}

TEST_F(SettingsLoadTest, WithoutAFileEverySettingHasItsDefault) {
    TCopyForm& f = createForm();
    EXPECT_EQ(f.pos(), QPoint(0, 0));
    EXPECT_EQ(f.size(), QSize(600, 360));
    EXPECT_FALSE(f.StartMaximized);
    showForm();
    EXPECT_FALSE(f.isMaximized());
    EXPECT_EQ(f.dataSelectPanel()->width(), 300);
    EXPECT_EQ(f.rightPanel()->width(), 84);
    EXPECT_EQ(filters(), (std::vector<std::string>{"*.*", "*.txt"}));
    EXPECT_EQ(checks(), (std::vector<bool>{false, true}));
    EXPECT_EQ(f.FileListBox1->mask(), "*.txt");
    EXPECT_EQ(f.TxtFilter, "*.txt");
    EXPECT_EQ(f.DataFileExtensions, ".txt;");
    EXPECT_EQ(f.directoryListBox1()->directory(), withoutSlash(exeFolder));
    EXPECT_EQ(f.directoryListBox2()->directory(), withoutSlash(exeFolder));
    EXPECT_TRUE(f.SelectedFolderPaths.empty());
    EXPECT_TRUE(f.leftSelectedFolderMenu()->actions().isEmpty());
    EXPECT_TRUE(f.rightSelectedFolderMenu()->actions().isEmpty());
    EXPECT_EQ(f.FileOperationOptions.bits(), 202);
    EXPECT_FALSE(f.FileEraseEnabled);
    EXPECT_FALSE(f.action("FileErase")->isEnabled());
    EXPECT_FALSE(f.FileSearchFindHiddenFile);
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(SettingsLoadTest, StoredValuesAreAppliedWhateverTheCaseOfNames) {
    const std::string data = dir->mkdir("data");
    const std::string send = dir->mkdir("send");
    writeSettings("[form]\nmaximized=0\nLEFT=$20\nTop=0x10\nwidth= 640 \nHeight=400\n"
                  "[PANELS]\nselectpanel=320\nRightPanel=100\n"
                  "[FileFolder]\nAnyFilter=0\nCheckFilter=*.m3u\nAllFilter=*.txt/*.m3u\n"
                  "TxtFilter=*.txt;*.m3u\nDataFolder=" + data + "\nsendtofolder=" + send +
                  "\nFileSearchFindHiddenFile=1\nfileeraseenabled=1\n"
                  "[BaseSettings]\nFileOperationOptions=$FF\n");
    TCopyForm& f = showForm();
    EXPECT_EQ(f.pos(), QPoint(32, 16));
    EXPECT_EQ(f.size(), QSize(640, 400));
    EXPECT_EQ(f.dataSelectPanel()->width(), 320);
    EXPECT_EQ(f.rightPanel()->width(), 100);
    EXPECT_EQ(f.FileListBox1->mask(), "*.m3u");
    EXPECT_EQ(f.TxtFilter, "*.txt;*.m3u");
    EXPECT_EQ(f.DataFileExtensions, ".txt;.m3u;");
    EXPECT_EQ(f.directoryListBox1()->directory(), data);
    EXPECT_EQ(f.directoryListBox2()->directory(), send);
    EXPECT_TRUE(f.FileSearchFindHiddenFile);
    EXPECT_TRUE(f.FileEraseEnabled);
    EXPECT_TRUE(f.action("FileErase")->isEnabled());
    EXPECT_EQ(f.FileOperationOptions.bits(), 255);
}

TEST_F(SettingsLoadTest, BoundsAsLargeAsTheScreenStartMaximizedAndAreNotApplied) {
    fakeScreen().screenSize = QSize(1024, 768);
    writeSettings("[Form]\nLeft=50\nTop=60\nWidth=5000\nHeight=300\n");
    TCopyForm& f = createForm();
    EXPECT_TRUE(f.StartMaximized);
    EXPECT_EQ(f.geometry(), QRect(102, 47, 600, 360));  // the design bounds
    showForm();
    EXPECT_TRUE(f.isMaximized());

    writeSettings("[Form]\nWidth=500\nHeight=768\n");
    EXPECT_TRUE(createForm().StartMaximized);
    writeSettings("[Form]\nWidth=1023\nHeight=767\n");
    EXPECT_FALSE(createForm().StartMaximized);
    writeSettings("[Form]\nMaximized=1\nWidth=500\nHeight=300\n");
    EXPECT_TRUE(createForm().StartMaximized);
}

TEST_F(SettingsLoadTest, AWindowThatNoScreenShowsIsPlacedAtTheOrigin) {
    writeSettings("[Form]\nLeft=100000\nTop=50\nWidth=500\nHeight=300\n");
    EXPECT_EQ(createForm().geometry(), QRect(0, 0, 500, 300));
    writeSettings("[Form]\nLeft=-3000\nTop=-3000\nWidth=500\nHeight=300\n");
    EXPECT_EQ(createForm().geometry(), QRect(0, 0, 500, 300));
    // Partly visible windows stay where they were.
    writeSettings("[Form]\nLeft=-450\nTop=-20\nWidth=500\nHeight=300\n");
    EXPECT_EQ(createForm().pos(), QPoint(-450, -20));
    writeSettings("[Form]\nLeft=1800\nTop=1000\nWidth=500\nHeight=300\n");
    EXPECT_EQ(createForm().pos(), QPoint(1800, 1000));
}

TEST(SettingsWindowRules, OffScreenMeansOverlappingNoScreen) {
    const std::vector<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_FALSE(isOffEveryScreen(QRect(3000, 900, 400, 300), screens));
    EXPECT_FALSE(isOffEveryScreen(QRect(-399, 10, 400, 300), screens));
    EXPECT_TRUE(isOffEveryScreen(QRect(-400, 10, 400, 300), screens));
    EXPECT_TRUE(isOffEveryScreen(QRect(2000, 1024, 400, 300), screens));
    EXPECT_TRUE(fillsScreen(1920, 10, QSize(1920, 1080)));
    EXPECT_FALSE(fillsScreen(1919, 1079, QSize(1920, 1080)));
}

TEST_F(SettingsLoadTest, PanelWidthsKeepThePanelsLimits) {
    writeSettings("[Panels]\nSelectPanel=50\nRightPanel=500\n");
    showForm();
    EXPECT_EQ(form->dataSelectPanel()->width(), 200);
    EXPECT_EQ(form->rightPanel()->width(), 150);
    writeSettings("[Panels]\nSelectPanel=-7\nRightPanel=2147483647\n");
    showNewForm();
    EXPECT_EQ(form->dataSelectPanel()->width(), 200);
    EXPECT_EQ(form->rightPanel()->width(), 150);
}

TEST_F(SettingsLoadTest, UnreadableValuesTakeTheirDefaults) {
    writeSettings("[Form]\nMaximized=yes\nLeft=abc\nTop=\nWidth=6OO\nHeight=1e3\n"
                  "[Panels]\nSelectPanel=300px\n"
                  "[FileFolder]\nFileEraseEnabled=true\nDataFolder=" + *dir / "missing" +
                  "\n[BaseSettings]\nFileOperationOptions=9999999999\n");
    TCopyForm& f = showForm();
    EXPECT_FALSE(f.StartMaximized);
    EXPECT_EQ(f.pos(), QPoint(0, 0));
    EXPECT_EQ(f.size(), QSize(600, 360));
    EXPECT_EQ(f.dataSelectPanel()->width(), 300);
    EXPECT_FALSE(f.action("FileErase")->isEnabled());
    EXPECT_EQ(f.FileOperationOptions.bits(), 202);
    // A missing folder leaves the tree where it started.
    EXPECT_EQ(f.directoryListBox1()->directory(), normalisedFolder("."));
    EXPECT_EQ(f.directoryListBox2()->directory(), withoutSlash(exeFolder));
}

TEST_F(SettingsLoadTest, AGarbageFileStartsWithDefaultsForWhatCannotBeRead) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += char((i * 37) & 0xFF);
    writeSettings(garbage + "\n[Form]\nWidth=" + std::string(1 << 20, '9') + "\nHeight=" +
                  std::string(1 << 20, 'x') + "\n" + std::string(3, '\0') + "\n[baseSETTINGS]\n"
                  "FileOperationOptions=64\n[FileFolder\n[FileFolder]\nAllFilter=" + std::string(1 << 20, '/') +
                  "\nTxtFilter=" + std::string(1 << 20, '*') + "\n");
    TCopyForm& f = showForm();
    EXPECT_EQ(f.size(), QSize(600, 360));
    EXPECT_EQ(f.FileOperationOptions.bits(), 64);
    EXPECT_EQ(f.Filters->count(), 1 + 2048);  // 2047 "/" give 2048 empty fields
    EXPECT_EQ(f.DataFileExtensions, ";");
}

TEST_F(SettingsLoadTest, ASettingsPathThatIsNoFileGivesTheDefaults) {
    dir->mkdir("config/Dorvanquellis.ini");
    TCopyForm& f = showForm();
    EXPECT_EQ(f.pos(), QPoint(0, 0));
    EXPECT_EQ(f.size(), QSize(600, 360));
    EXPECT_EQ(f.FileOperationOptions.bits(), 202);
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

}  // namespace
