// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cerrno>
#include <sys/stat.h>

#include <QAction>
#include <QFrame>
#include <QSplitter>

#include "app/SettingsFile.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "SettingsTest.h"
#include "util/SyscallSeam.h"

namespace {

class SettingsSaveTest : public SettingsTest {
protected:
    std::string withoutSlash(std::string folder) const {
        folder.pop_back();
        return folder;
    }
};

TEST_F(SettingsSaveTest, ANewFileHoldsEveryKeyInOrder) {
    showForm();
    closeForm();
    const std::string exe = withoutSlash(exeFolder);
    EXPECT_EQ(savedSettings(),
              "[Form]\nMaximized=0\nLeft=0\nTop=0\nWidth=600\nHeight=360\n\n"
              "[Panels]\nSelectPanel=300\nRightPanel=84\n\n"
              "[FileFolder]\nAnyFilter=0\nCheckFilter=*.txt\nAllFilter=*.txt\nTxtFilter=*.txt\n"
              "DataFolder=" + exe + "\nSendToFolder=" + exe + "\nSelctedFolder=\n"
              "FileSearchFindHiddenFile=0\nFileEraseEnabled=0\n\n"
              "[BaseSettings]\nFileOperationOptions=202\n");
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(SettingsSaveTest, WhatIsSavedIsLoadedAgain) {
    const std::string data = dir->mkdir("data");
    const std::string send = dir->mkdir("send データ");
    const std::string a = dir->mkdir("a");
    const std::string b = dir->mkdir("b");
    TCopyForm& f = showForm();
    f.move(40, 30);
    f.resize(700, 420);
    QApplication::processEvents();
    f.mainSplitter()->setSizes({350, 700 - 350 - 120 - 8, 120});
    f.Filters->setEntries(RebuildFilterList(f.Filters->entries(), "*.doc/*.m3u", "*.m3u"));
    f.FileListBox1->setMask("*.m3u");
    f.TxtFilter = "*.txt;*.m3u";
    f.directoryListBox1()->setDirectory(data);
    f.directoryListBox2()->setDirectory(send);
    f.SetSelectedFoldersFromText(a + ";" + b);
    f.FileSearchFindHiddenFile = true;
    f.FileEraseEnabled = true;
    f.FileOperationOptions = OperationOptions::fromBits(-5);
    closeForm();

    TCopyForm& g = showNewForm();
    EXPECT_EQ(g.pos(), QPoint(40, 30));
    EXPECT_EQ(g.size(), QSize(700, 420));
    EXPECT_EQ(g.dataSelectPanel()->width(), 350);
    EXPECT_EQ(g.rightPanel()->width(), 120);
    EXPECT_EQ(filters(), (std::vector<std::string>{"*.*", "*.doc", "*.m3u"}));
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(g.FileListBox1->mask(), "*.m3u");
    EXPECT_EQ(g.DataFileExtensions, ".txt;.m3u;");
    EXPECT_EQ(g.directoryListBox1()->directory(), data);
    EXPECT_EQ(g.directoryListBox2()->directory(), send);
    EXPECT_EQ(g.SelectedFolderPaths, (std::vector<std::string>{a, b}));
    EXPECT_TRUE(g.FileSearchFindHiddenFile);
    EXPECT_TRUE(g.action("FileErase")->isEnabled());
    EXPECT_EQ(g.FileOperationOptions.bits(), -5);
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(SettingsSaveTest, AMaximizedWindowKeepsTheStoredBounds) {
    writeSettings("[Form]\nMaximized=1\nLeft=11\nTop=12\nWidth=613\nHeight=314\n");
    TCopyForm& f = showForm();
    ASSERT_TRUE(f.isMaximized());
    closeForm();
    const std::string saved = savedSettings();
    EXPECT_EQ(saved.substr(0, saved.find("\n\n")),
              "[Form]\nMaximized=1\nLeft=11\nTop=12\nWidth=613\nHeight=314");
}

TEST_F(SettingsSaveTest, EverythingElseInTheFileIsKept) {
    writeSettings("; written by hand\n\n[Extra]\nKeep=me\n[form]\n; placement\nleft=$10\nOwn=1\n"
                  "[BaseSettings]\nFileOperationOptions=0x10\n");
    showForm();
    closeForm();
    const std::string saved = savedSettings();
    EXPECT_EQ(saved.find("; written by hand\n"), 0u);
    EXPECT_NE(saved.find("[Extra]\nKeep=me\n"), std::string::npos);
    EXPECT_NE(saved.find("[form]\n; placement\nleft=16\nOwn=1\nMaximized=0\nTop=0\n"),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("FileOperationOptions=16\n"), std::string::npos);
}

TEST_F(SettingsSaveTest, AFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses) {
    dir->mkdir("config/Dorvanquellis.ini");
    TCopyForm& f = showForm();
    closeForm();
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].kind, FakeDialogs::Kind::ErrorReport);
    EXPECT_EQ(fakeDialogs().shown[0].text,
              QString::fromStdString(settingsFile) + QStringLiteral(" に書き込めません"));

    fakeDialogs().reset();
    settingsFile = dir->write("file") + "/Dorvanquellis.ini";  // a parent is no folder
    fakeSettingsLocation().file = settingsFile;
    showNewForm();
    closeForm();
    ASSERT_EQ(fakeDialogs().shown.size(), 1u);
    EXPECT_EQ(fakeDialogs().shown[0].text,
              QString::fromStdString(settingsFile) + QStringLiteral(" に書き込めません"));
}

// A start that failed before the settings were read (the file engine could
// not be made) must not write defaults over them.
TEST_F(SettingsSaveTest, AWindowWhoseSettingsWereNeverReadWritesNothing) {
    writeSettings("[Extra]\nKeep=me\n");
    TCopyForm& f = showForm();
    f.setProperty("settingsLoaded", false);
    closeForm();
    EXPECT_EQ(savedSettings(), "[Extra]\nKeep=me\n");
}

// Tests run as root, whom permissions never refuse a read: a FIFO stands for
// a file that cannot be read.
TEST_F(SettingsSaveTest, AnUnreadableFileOrAFailedFlushReplacesNothingAndIsReported) {
    const auto expectReported = [&] {
        ASSERT_EQ(fakeDialogs().shown.size(), 1u);
        EXPECT_EQ(fakeDialogs().shown[0].text,
                  QString::fromStdString(settingsFile) + QStringLiteral(" に書き込めません"));
        fakeDialogs().reset();
    };
    dir->mkdir("config");
    ASSERT_EQ(::mkfifo(settingsFile.c_str(), 0600), 0);
    showForm();
    closeForm();
    expectReported();
    struct stat st {};
    ASSERT_EQ(::lstat(settingsFile.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    ::unlink(settingsFile.c_str());
    writeSettings("[Extra]\nKeep=me\n");
    syscalls::Overrides failing;
    failing.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    syscalls::ScopedOverrides scoped(failing);
    showNewForm();
    closeForm();
    expectReported();
    EXPECT_EQ(savedSettings(), "[Extra]\nKeep=me\n");
}

TEST_F(SettingsSaveTest, AFolderNameWithALineBreakCannotInjectSettings) {
    const std::string odd = dir->mkdir("x\n[BaseSettings]\nFileOperationOptions=1");
    const std::string data = dir->mkdir("data");
    writeSettings("[FileFolder]\nDataFolder=" + data + "\n");
    TCopyForm& f = showForm();
    ASSERT_TRUE(f.directoryListBox1()->setDirectory(odd));
    f.SelectedFolderPaths = {odd, data};
    closeForm();
    TCopyForm& g = showNewForm();
    EXPECT_EQ(g.FileOperationOptions.bits(), 202);
    EXPECT_EQ(g.directoryListBox1()->directory(), data);
    EXPECT_EQ(g.SelectedFolderPaths, std::vector<std::string>{data});
}

}  // namespace
