// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;
class FilterCheckListView;
class FilterList;
struct FilterEntry;

// The settings dialog: the options of file operations, the search and erase
// switches, the selected folders and the data-file filters, on three pages.
// It edits its own copies; the caller reads them back after OK.
class TSettingForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ButtonWidth = 75;
    static constexpr int ButtonHeight = 25;

    explicit TSettingForm(QWidget* parent = nullptr);

    // Checks the box of every bit set in options, from bit 0 up.
    void setOptions(std::int32_t options);
    // Bits 0 to 6 of the checked boxes, bit 7 when its box is checked and enabled.
    std::int32_t optionMask() const { return OptionMask; }

    // Appends a folder to both folder lists without looking for duplicates.
    void appendFolder(const std::string& path);
    // Offers the filters after the first ("*.*"), checking those that occur in txtFilter.
    void setCategoryFilters(const std::vector<FilterEntry>& filters, const std::string& txtFilter);
    // The checked data-file filters joined by ";", "*.txt" when none is checked.
    std::string dataFileFilter() const;

    QFrame* SettingPanel;
    QTabWidget* PageControl1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    QWidget* FileOperationTabSheet;
    QLabel* OptionLabel;
    QFrame* OptionsPanel;
    QCheckBox* NonConfirmationCheckBox;
    QCheckBox* NonConfirmMkDirCheckBox;
    QCheckBox* NoErrorUiCheckBox;
    QCheckBox* RenameOnCollisionCheckBox;
    QCheckBox* SilentCheckBox;
    QCheckBox* SimpleProgressCheckBox;
    QCheckBox* RemoveReadOnlyAttribsCheckBox;
    QCheckBox* CallRemoveReadOnlyCheckBox;
    QCheckBox* FindHiddenFileCheckBox;
    QCheckBox* SetFileEraseEnabledCheckBox;

    QWidget* FolderTabSheet;
    QLabel* SelectedFolderLabel;
    QListWidget* SelectedFolderNameListBox;          // display names; its hint is the current full path
    std::vector<std::string> SelectedFolderPathListBox;  // full paths, row for row
    QPushButton* ListUpButton;
    QPushButton* ListDownButton;
    QPushButton* AddFolderButton;
    QPushButton* DeleteFolderButton;
    QPushButton* DefaultFolderButton;

    QWidget* FileTabSheet;
    QLabel* TextFilterLabel;
    FilterList* CategoryFilters;                  // shown by CategoryFilterCheckListBox
    FilterCheckListView* CategoryFilterCheckListBox;

    // Handlers.
    void NonConfirmationCheckBoxClick();
    // Adds path unless it is listed already (told unless silent).
    void AddSelectedFolder(const std::string& path, bool silent);
    void AddFolderButtonClick();
    void DeleteFolderButtonClick();
    void ListUpButtonClick();
    void ListDownButtonClick();
    void SelectedFolderNameListBoxClick();
    void DefaultFolderButtonClick();
    // A click on the entry at row (-1: on none) toggles it; the list keeps one checked.
    void CategoryFilterCheckListBoxClick(int row);

private:
    void createOptionsPage();
    void createFolderPage();
    void createFilePage();
    void FormCreate();
    void exchangeFolders(int a, int b);

    std::array<QCheckBox*, 8> optionBoxes_{};  // box of bit n at n
    std::int32_t OptionMask = 0;
};
