// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings dialog through BaseSettingExecute: the form is filled from
// the state, worked through its controls, and closed with one of its buttons.
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "filters/FilterCheckListView.h"
#include "filters/FilterList.h"
#include "platform/Platform.h"
#include "settings/SettingCommand.h"
#include "settings/SettingForm.h"
#include "support/TestEnvironment.h"

namespace {

using Paths = std::vector<std::string>;
using Entries = std::vector<FilterEntry>;

// Sets an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { ::setenv(name_, old_.c_str(), 1); }

private:
    const char* name_;
    std::string old_;
};

class SettingFormTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        filters.setEntries({{"*.*", false}, {"*.txt", true}, {"*.m3u", false}});
        fileErase.setEnabled(false);
        savedShow = settingFormShow();
    }
    void TearDown() override { settingFormShow() = savedShow; }

    // Opens the dialog, lets act work in it, then presses OK or Cancel.
    void run(const std::function<void(TSettingForm&)>& act, bool ok = true) {
        settingFormShow() = [&](TSettingForm& form) {
            act(form);
            (ok ? form.OKButton : form.CancelButton)->click();
            return form.result();
        };
        BaseSettingExecute({options, folders, filters, txtFilter, extensions, findHidden, eraseEnabled,
                            fileErase, [this](const Paths& paths) {
                                applied.push_back(paths);
                                folders = paths;
                            }});
    }

    static Paths names(const TSettingForm& form) {
        Paths texts;
        for (int row = 0; row < form.SelectedFolderNameListBox->count(); ++row)
            texts.push_back(form.SelectedFolderNameListBox->item(row)->text().toStdString());
        return texts;
    }
    static std::vector<bool> boxes(const TSettingForm& form) {
        std::vector<bool> checked;
        for (QCheckBox* box : {form.NonConfirmationCheckBox, form.NonConfirmMkDirCheckBox,
                               form.NoErrorUiCheckBox, form.RenameOnCollisionCheckBox,
                               form.SilentCheckBox, form.SimpleProgressCheckBox,
                               form.RemoveReadOnlyAttribsCheckBox, form.CallRemoveReadOnlyCheckBox})
            checked.push_back(box->isChecked());
        return checked;
    }

    OperationOptions options = OperationOptions::fromBits(202);
    Paths folders;
    FilterList filters;
    std::string txtFilter = "*.txt";
    std::string extensions = ".txt;";
    bool findHidden = false;
    bool eraseEnabled = false;
    QAction fileErase{nullptr};
    std::vector<Paths> applied;
    TempDir dir;
    std::function<int(TSettingForm&)> savedShow;
};

TEST_F(SettingFormTest, OptionsOpenFromTheMaskAndOkWritesWhatTheBoxesSay) {
    struct Case {
        std::int32_t stored;
        std::vector<bool> checked;
        bool bit7Enabled;
        std::int32_t written;
    };
    const Case cases[] = {
        {202, {false, true, false, true, false, false, true, true}, true, 202},
        {128, {false, false, false, false, false, false, false, true}, false, 0},
        {0x1ff, {true, true, true, true, true, true, true, true}, true, 255},
    };
    for (const Case& c : cases) {
        options = OperationOptions::fromBits(c.stored);
        fileErase.setEnabled(true);
        run([&](TSettingForm& form) {
            EXPECT_EQ(boxes(form), c.checked) << c.stored;
            EXPECT_EQ(form.CallRemoveReadOnlyCheckBox->isEnabled(), c.bit7Enabled) << c.stored;
        });
        EXPECT_EQ(options.bits(), c.written) << c.stored;
        EXPECT_FALSE(fileErase.isEnabled()) << "the erase switch stayed off";
    }
}

TEST_F(SettingFormTest, ClearingReadOnlyDecidesWhetherItsQuestionCounts) {
    run([](TSettingForm& form) {
        form.RemoveReadOnlyAttribsCheckBox->click();
        EXPECT_FALSE(form.CallRemoveReadOnlyCheckBox->isEnabled());
        EXPECT_TRUE(form.CallRemoveReadOnlyCheckBox->isChecked()) << "the box keeps its mark";
        EXPECT_EQ(form.optionMask(), 10);
        form.RemoveReadOnlyAttribsCheckBox->click();
        EXPECT_EQ(form.optionMask(), 202);
        form.RemoveReadOnlyAttribsCheckBox->click();
    });
    EXPECT_EQ(options.bits(), 10);
}

TEST_F(SettingFormTest, CancelAfterEveryKindOfChangeLeavesTheStateAsItWas) {
    const std::string a = dir.mkdir("a");
    folders = {a};
    fakeDialogs().folders = {dir.mkdir("b")};
    run([](TSettingForm& form) {
        form.NonConfirmationCheckBox->click();
        form.AddFolderButton->click();
        form.SelectedFolderNameListBox->setCurrentRow(0);
        form.DeleteFolderButton->click();
        form.CategoryFilterCheckListBoxClick(1);
        form.FindHiddenFileCheckBox->click();
        form.SetFileEraseEnabledCheckBox->click();
    }, false);
    EXPECT_EQ(options.bits(), 202);
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(folders, Paths{a});
    EXPECT_EQ(txtFilter, "*.txt");
    EXPECT_EQ(extensions, ".txt;");
    EXPECT_FALSE(findHidden);
    EXPECT_FALSE(eraseEnabled);
    EXPECT_FALSE(fileErase.isEnabled());
}

TEST_F(SettingFormTest, OkWritesFoldersFilterAndSwitches) {
    const std::string a = dir.mkdir("a");
    folders = {a, "/"};
    run([&](TSettingForm& form) {
        EXPECT_EQ(names(form), (Paths{"a", "/"}));
        EXPECT_EQ(form.PageControl1->currentWidget(), form.FileOperationTabSheet);
        EXPECT_EQ(form.CategoryFilters->entries(), (Entries{{"*.txt", true}, {"*.m3u", false}}));
        form.CategoryFilterCheckListBoxClick(1);
        form.FindHiddenFileCheckBox->click();
        form.SetFileEraseEnabledCheckBox->click();
    });
    EXPECT_EQ(applied, std::vector<Paths>{(Paths{a, "/"})});
    EXPECT_EQ(txtFilter, "*.txt;*.m3u");
    EXPECT_EQ(extensions, ".txt;.m3u;");
    EXPECT_TRUE(findHidden);
    EXPECT_TRUE(eraseEnabled);
    EXPECT_TRUE(fileErase.isEnabled());
}

TEST_F(SettingFormTest, DataFileFiltersOccurInTxtFilterAndOneStaysChecked) {
    filters.setEntries({{"*.*", true}, {"*.txt", false}, {"", false}, {"*.m3u", true}, {"*.pls", false}});
    txtFilter = "*.m3u;*.txt";
    run([](TSettingForm& form) {
        EXPECT_EQ(form.CategoryFilters->entries(),
                  (Entries{{"*.txt", true}, {"", false}, {"*.m3u", true}, {"*.pls", false}}));
        form.CategoryFilterCheckListBoxClick(0);
        form.CategoryFilterCheckListBox->setCurrentIndex(form.CategoryFilters->index(2));
        form.CategoryFilterCheckListBoxClick(2);
        EXPECT_EQ(fakeDialogs().texts(), QStringList{"１つ以上選択してください"});
        EXPECT_TRUE(form.CategoryFilters->at(2).checked) << "checked again";
    });
    EXPECT_EQ(txtFilter, "*.m3u");

    filters.setEntries({{"*.*", true}});
    run([](TSettingForm& form) {
        EXPECT_EQ(form.CategoryFilters->count(), 0);
        EXPECT_EQ(form.dataFileFilter(), "*.txt");
    });
    EXPECT_EQ(txtFilter, "*.m3u") << "an empty page leaves the filter alone";
    run([](TSettingForm& form) {
        form.CategoryFilterCheckListBoxClick(-1);
        EXPECT_EQ(form.CategoryFilters->entries(), (Entries{{"*.txt", true}}));
    });
    EXPECT_EQ(txtFilter, "*.txt");
}

TEST_F(SettingFormTest, AddedFoldersShowTheirNameOnceWithThePathAsHint) {
    const std::string data = dir.mkdir("Data");
    fakeDialogs().folders = {"/", data, data, std::nullopt};
    run([&](TSettingForm& form) {
        for (int i = 0; i < 4; ++i) form.AddFolderButton->click();
        EXPECT_EQ(names(form), (Paths{"/", "Data"}));
        EXPECT_EQ(form.SelectedFolderPathListBox, (Paths{"/", data}));
        EXPECT_EQ(fakeDialogs().texts().count(QStringLiteral("既に登録されています。")), 1);
        form.SelectedFolderNameListBox->setCurrentRow(1);
        EXPECT_EQ(form.SelectedFolderNameListBox->toolTip().toStdString(), data);
    });
    EXPECT_EQ(folders, (Paths{"/", data}));
}

class ThrowingChooser : public FakeDialogs {
public:
    std::optional<std::string> chooseFolder(const QString&, const std::string&) override {
        throw std::runtime_error("no display");
    }
};

TEST_F(SettingFormTest, AChooserThatCannotBeShownIsTold) {
    ThrowingChooser dialogs;
    Platform replaced = platform();
    replaced.dialogs = &dialogs;
    ScopedPlatform scoped(replaced);
    run([](TSettingForm& form) { form.AddFolderButton->click(); });
    EXPECT_EQ(dialogs.texts(), QStringList{"ダイアログを表示できませんでした。"});
    EXPECT_EQ(folders, Paths{});
}

TEST_F(SettingFormTest, DeleteUpAndDownKeepBothListsInStepAndMoveTheSelection) {
    folders = {"/a", "/b", "/c"};
    run([](TSettingForm& form) {
        QListWidget& list = *form.SelectedFolderNameListBox;
        form.ListUpButton->click();  // no current row
        list.setCurrentRow(0);
        form.ListUpButton->click();
        form.ListDownButton->click();
        EXPECT_EQ(form.SelectedFolderPathListBox, (Paths{"/b", "/a", "/c"}));
        EXPECT_EQ(list.currentRow(), 1);
        form.ListDownButton->click();
        form.ListDownButton->click();
        EXPECT_EQ(names(form), (Paths{"b", "c", "a"}));
        EXPECT_EQ(list.currentRow(), 2);
        EXPECT_EQ(list.toolTip(), QStringLiteral("/a"));

        form.DeleteFolderButton->click();  // the last: the one above is chosen
        EXPECT_EQ(form.SelectedFolderPathListBox, (Paths{"/b", "/c"}));
        EXPECT_EQ(list.currentRow(), 1);
        list.setCurrentRow(0);
        form.DeleteFolderButton->click();  // the first: the new first is chosen
        EXPECT_EQ(names(form), Paths{"c"});
        EXPECT_EQ(list.currentRow(), 0);
        EXPECT_EQ(list.toolTip(), QStringLiteral("/c"));
        form.DeleteFolderButton->click();
        form.DeleteFolderButton->click();
        EXPECT_EQ(list.count(), 0);
        EXPECT_TRUE(list.toolTip().isEmpty());
    });
    EXPECT_EQ(folders, Paths{});
}

TEST_F(SettingFormTest, DefaultsAddTheExistingUserFoldersOnceAfterTheListed) {
    const std::string home = dir.mkdir("home");
    const std::string desktop = dir.mkdir("home/デスクトップ");
    const std::string downloads = dir.mkdir("home/ダウンロード");
    dir.write("config/user-dirs.dirs",
              "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\nXDG_DOCUMENTS_DIR=\"$HOME/\"\n"
              "XDG_DOWNLOAD_DIR=\"$HOME/ダウンロード\"\n");
    ScopedEnv homeEnv("HOME", home);
    ScopedEnv configEnv("XDG_CONFIG_HOME", dir / "config");
    const std::string exe = fakeSettingsLocation().exeFolder;
    folders = {downloads};
    run([](TSettingForm& form) {
        form.DefaultFolderButton->click();
        form.DefaultFolderButton->click();
    });
    EXPECT_EQ(folders, (Paths{downloads, desktop, exe.substr(0, exe.size() - 1)}));
    EXPECT_TRUE(fakeDialogs().shown.empty());

    ScopedEnv noHome("HOME", dir / "gone");
    run([](TSettingForm& form) { form.DefaultFolderButton->click(); });
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"フォルダ検出に失敗しました。"});
    EXPECT_EQ(folders.size(), 3u);
}

TEST_F(SettingFormTest, AFailureIsToldAndKeepsWhatWasWrittenBeforeIt) {
    options = {};
    settingFormShow() = [](TSettingForm& form) {
        form.NonConfirmationCheckBox->click();
        form.CategoryFilterCheckListBoxClick(1);
        return int(QDialog::Accepted);
    };
    BaseSettingExecute({options, folders, filters, txtFilter, extensions, findHidden, eraseEnabled,
                        fileErase, [](const Paths&) { throw std::runtime_error("menus"); }});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"設定フォームを表示できませんでした"});
    EXPECT_EQ(options.bits(), 1);
    EXPECT_EQ(txtFilter, "*.txt");
}

}  // namespace
