#include <QAction>

#include "app/SettingsFile.h"
#include "panes/SelectedFolders.h"
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
    int errorMessages() const {
        int n = 0;
        for (const auto& s : fakeDialogs().shown)
            if (s.text == "Set_SelectedFolder Error(B1)" && s.caption == "  確認" && s.flags == 0) ++n;
        return n;
    }
};

TEST_F(SettingsSelectedFoldersTest, EveryExistingFolderGetsAnEntryInBothMenus) {
    const std::string a = dir->mkdir("one/Alpha");
    const std::string b = dir->mkdir("Tom & Jerry");
    writeSettings("[FileFolder]\nSelctedFolder=" + a + ";/;" + b + "/\n");
    TCopyForm& f = createForm();
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{a, "/", b + "/"}));
    for (QMenu* menu : {f.LeftSelectedFolderMenu, f.RightSelectedFolderMenu}) {
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
    EXPECT_EQ(tags(f.LeftSelectedFolderMenu), (std::vector<int>{0, 1}));
    EXPECT_EQ(errorMessages(), 1);
}

TEST_F(SettingsSelectedFoldersTest, AFolderWithASemicolonFallsApart) {
    const std::string odd = dir->mkdir("x;y");
    writeSettings("[FileFolder]\nSelctedFolder=" + odd + "\n");
    TCopyForm& f = createForm();
    EXPECT_TRUE(f.SelectedFolderPaths.empty());
    EXPECT_TRUE(f.LeftSelectedFolderMenu->actions().isEmpty());
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
    EXPECT_EQ(captions(f.RightSelectedFolderMenu), (QStringList{"a"}));
    f.SetSelectedFoldersFromText(b + ";" + a);
    EXPECT_EQ(f.SelectedFolderPaths, (std::vector<std::string>{b, a}));
    EXPECT_EQ(captions(f.LeftSelectedFolderMenu), (QStringList{"b", "a"}));
    EXPECT_EQ(captions(f.RightSelectedFolderMenu), (QStringList{"b", "a"}));
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
