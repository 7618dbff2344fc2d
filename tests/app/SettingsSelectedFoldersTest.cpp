// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <stdexcept>

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

#include "app/SettingsFile.h"
#include "engine/PosixFileSystem.h"
#include "panes/SelectedFolders.h"
#include "platform/Platform.h"
#include "settings/SettingCommand.h"
#include "settings/SettingForm.h"
#include "SettingsTest.h"

namespace {

class SettingsSelectedFoldersTest : public SettingsTest {
protected:
    QStringList captions(QMenu* menu) const {
        QStringList texts;
        for (QAction* a : menu->actions()) texts << a->text();
        return texts;
    }
    std::vector<int> tags(QMenu* menu) const {
        std::vector<int> values;
        for (QAction* a : menu->actions()) values.push_back(a->property("tag").toInt());
        return values;
    }
    int errorMessages(const QString& text = QStringLiteral("Set_SelectedFolder Error(B1)")) const {
        int n = 0;
        for (const auto& s : fakeDialogs().shown)
            if (s.text == text && s.caption == "  確認" && s.flags == 0) ++n;
        return n;
    }
};

TEST_F(SettingsSelectedFoldersTest, EveryExistingFolderGetsAnEntryInBothMenus) {
    const std::string a = dir->mkdir("one/Alpha");
    const std::string b = dir->mkdir("Tom & Jerry");
    writeSettings("[FileFolder]\nSelctedFolder=" + a + ";/;" + b + "/\n");
    TCopyForm& f = createForm();
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{a, "/", b + "/"}));
    for (QMenu* menu : {f.leftSelectedFolderMenu(), f.rightSelectedFolderMenu()}) {
        EXPECT_EQ(captions(menu), (QStringList{"Alpha", "/", "Tom && Jerry"}));
        EXPECT_EQ(tags(menu), (std::vector<int>{0, 1, 2}));
        for (QAction* entry : menu->actions()) EXPECT_EQ(entry->parent(), menu);
    }
    EXPECT_EQ(errorMessages(), 0);
}

TEST_F(SettingsSelectedFoldersTest, MissingFoldersAreDroppedWithOneMessage) {
    const std::string a = dir->mkdir("a");
    const std::string b = dir->mkdir("b");
    writeSettings("[FileFolder]\nSelctedFolder=" + a + ";" + *dir / "gone" + ";;" + b + "\n");
    TCopyForm& f = createForm();
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{a, b}));
    EXPECT_EQ(tags(f.leftSelectedFolderMenu()), (std::vector<int>{0, 1}));
    EXPECT_EQ(errorMessages(), 1);
}

TEST_F(SettingsSelectedFoldersTest, AFolderWithASemicolonFallsApart) {
    const std::string odd = dir->mkdir("x;y");
    writeSettings("[FileFolder]\nSelctedFolder=" + odd + "\n");
    TCopyForm& f = createForm();
    EXPECT_TRUE(f.SelectedFolderPaths.empty());
    EXPECT_TRUE(f.leftSelectedFolderMenu()->actions().isEmpty());
    EXPECT_EQ(errorMessages(), 1);
}

TEST_F(SettingsSelectedFoldersTest, AValueLongerThan2047BytesIsCut) {
    std::string text;
    std::vector<std::string> folders;
    for (int i = 0; text.size() <= 2100; ++i) {
        folders.push_back(dir->mkdir("folder-with-a-long-name-" + std::to_string(i)));
        text += (text.empty() ? "" : ";") + folders.back();
    }
    writeSettings("[FileFolder]\nSelctedFolder=" + text + "\n");
    TCopyForm& f = createForm();
    std::size_t whole = 0;
    for (std::size_t end = folders[0].size(); end <= 2047; end += 1 + folders[++whole].size()) {}
    ASSERT_LT(whole, folders.size());
    EXPECT_EQ(f.SelectedFolderPaths,
              std::vector<std::string>(folders.begin(), folders.begin() + std::ptrdiff_t(whole)));
    EXPECT_EQ(errorMessages(), 1);
}

TEST_F(SettingsSelectedFoldersTest, BlankTextKeepsTheFoldersAndANewListReplacesThem) {
    const std::string a = dir->mkdir("a");
    const std::string b = dir->mkdir("b");
    writeSettings("[FileFolder]\nSelctedFolder=" + a + "\n");
    TCopyForm& f = createForm();
    f.SetSelectedFoldersFromText("  \t ");
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{a}));
    EXPECT_EQ(captions(f.rightSelectedFolderMenu()), (QStringList{"a"}));
    f.SetSelectedFoldersFromText(b + ";" + a);
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{b, a}));
    EXPECT_EQ(captions(f.leftSelectedFolderMenu()), (QStringList{"b", "a"}));
    EXPECT_EQ(captions(f.rightSelectedFolderMenu()), (QStringList{"b", "a"}));
}

TEST_F(SettingsSelectedFoldersTest, AppliedFoldersKeepTheirOrderAndTheGoneAreToldOnce) {
    const std::string a = dir->mkdir("a");
    const std::string b = dir->mkdir("b");
    TCopyForm& f = createForm();
    f.ApplySelectedFolders({b, *dir / "gone", a});
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{b, a}));
    EXPECT_EQ(captions(f.rightSelectedFolderMenu()), (QStringList{"b", "a"}));
    EXPECT_EQ(tags(f.leftSelectedFolderMenu()), (std::vector<int>{0, 1}));
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"Set_SelectedFolder Error(A2)"});
    f.ApplySelectedFolders({});
    EXPECT_TRUE(f.leftSelectedFolderMenu()->actions().isEmpty());
    EXPECT_EQ(fakeDialogs().shown.size(), 1u);
}

// A file system whose folder check fails on one path.
class FailingCheck : public PosixFileSystem {
public:
    explicit FailingCheck(std::string path) : path_(std::move(path)) {}
    bool directoryExists(const std::string& path) override {
        if (path == path_) throw std::runtime_error("check");
        return PosixFileSystem::directoryExists(path);
    }

private:
    std::string path_;
};

TEST_F(SettingsSelectedFoldersTest, AFailingEntryStopsTheListWithBothMessages) {
    const std::string a = dir->mkdir("a");
    const std::string b = dir->mkdir("b");
    TCopyForm& f = createForm();
    FailingCheck files(b);
    Platform replaced = platform();
    replaced.fileSystem = &files;
    ScopedPlatform scoped(replaced);
    f.ApplySelectedFolders({a, b, a + "/."});
    EXPECT_EQ(f.SelectedFolderPaths, std::vector<std::string>{a});
    EXPECT_EQ(captions(f.leftSelectedFolderMenu()), QStringList{"a"});
    EXPECT_EQ(fakeDialogs().texts(),
              (QStringList{"Set_SelectedFolder Error(A1)", "Set_SelectedFolder Error(A2)"}));
}

TEST_F(SettingsSelectedFoldersTest, BaseSettingEditsTheWindowsState) {
    const std::string a = dir->mkdir("a");
    const std::string b = dir->mkdir("b");
    writeSettings("[FileFolder]\nSelctedFolder=" + a + "\n");
    TCopyForm& f = createForm();
    const auto saved = settingFormShow();
    settingFormShow() = [&](TSettingForm& form) {
        EXPECT_EQ(form.SelectedFolderPathListBox, std::vector<std::string>{a});
        EXPECT_EQ(form.parentWidget(), &f);
        form.AddFolderButton->click();
        form.SetFileEraseEnabledCheckBox->click();
        form.OKButton->click();
        return form.result();
    };
    fakeDialogs().folders = {b};
    f.action("BaseSetting")->trigger();
    settingFormShow() = saved;
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{a, b}));
    EXPECT_EQ(captions(f.leftSelectedFolderMenu()), (QStringList{"a", "b"}));
    EXPECT_TRUE(f.FileEraseEnabled);
    EXPECT_TRUE(f.action("FileErase")->isEnabled());
}

TEST(SettingsSelectedFolderText, CaptionsAndStoredText) {
    EXPECT_EQ(selectedFolderCaption("/home/user/データ"), QStringLiteral("データ"));
    EXPECT_EQ(selectedFolderCaption("/home/user//"), QStringLiteral("user"));
    EXPECT_EQ(selectedFolderCaption("//"), QStringLiteral("/"));
    EXPECT_EQ(selectedFolderCaption("relative"), QStringLiteral("relative"));
    EXPECT_EQ(selectedFolderText({}), "");
    EXPECT_EQ(selectedFolderText({"/a", "/b c", "/x\ny", "/d"}), "/a;/b c;/d");
}

}  // namespace
