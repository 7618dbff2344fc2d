#include "app/SettingsFile.h"

#include <stdexcept>

#include <QAction>
#include <QListWidget>

#include "app/CopyForm.h"
#include "app/SettingsFilters.h"
#include "app/SettingsKeys.h"
#include "app/SettingsSelectedFolders.h"
#include "app/SettingsWindow.h"
#include "controls/DirectoryListBox.h"
#include "controls/FileListBox.h"
#include "platform/ISettingsLocation.h"
#include "platform/Platform.h"
#include "util/ApU.h"
#include "util/IniFile.h"
#include "util/IniFileIo.h"
#include "util/PathText.h"

namespace {

const char* const kLoadedProperty = "settingsLoaded";
const char* const kDesignTxtFilter = "*.txt";
const std::int32_t kDefaultFileOperationOptions = 202;

class CannotWrite : public std::runtime_error {
public:
    explicit CannotWrite(const std::string& path)
        : std::runtime_error((displayPath(path) + QStringLiteral(" に書き込めません")).toStdString()) {}
};

// The file's document; empty when the file is missing or unreadable.
void readDocument(const std::string& path, IniFile& file) {
    try {
        std::string bytes;
        if (readWholeFile(path, bytes) == FileReadResult::Read) file.parse(std::move(bytes));
    } catch (...) {
        file.parse({});
    }
}

void moveTree(DirectoryListBox* tree, const std::string& folder) {
    try {
        tree->setDirectory(folder);
    } catch (...) {
        // The tree stays where it is.
    }
}

void loadFileFolder(TCopyForm& form, const IniFile& file) {
    const std::string defaultFolder = platform().settingsLocation->defaultFolder();
    QListWidgetItem* anyFilter = form.FilterCheckListBox->item(0);
    if (anyFilter)
        anyFilter->setCheckState(file.readBool(ini::FileFolder, ini::AnyFilter, false) ? Qt::Checked
                                                                                      : Qt::Unchecked);
    const std::string checkFilter =
        file.readString(ini::FileFolder, ini::CheckFilter, form.FileListBox1->mask());
    try {
        form.FileListBox1->setMask(anyFilter && anyFilter->checkState() == Qt::Checked ? "*.*"
                                                                                        : checkFilter);
    } catch (...) {
    }
    RebuildFilterList(form, file.readString(ini::FileFolder, ini::AllFilter, kDesignTxtFilter),
                      checkFilter);
    form.TxtFilter = file.readString(ini::FileFolder, ini::TxtFilter, kDesignTxtFilter);
    DeriveDataFileExtensions(form);
    form.FileSearchFindHiddenFile = file.readBool(ini::FileFolder, ini::FileSearchFindHiddenFile, false);
    form.FileEraseEnabled = file.readBool(ini::FileFolder, ini::FileEraseEnabled, false);
    if (form.FileEraseEnabled) form.action("FileErase")->setEnabled(true);
    moveTree(form.DirectoryListBox1, file.readString(ini::FileFolder, ini::DataFolder, defaultFolder));
    moveTree(form.DirectoryListBox2, file.readString(ini::FileFolder, ini::SendToFolder, defaultFolder));
    SetSelectedFoldersFromText(form, file.readString(ini::FileFolder, ini::SelctedFolder, ""));
}

void saveFileFolder(TCopyForm& form, IniFile& file) {
    const std::string allFilter = allFilterText(form);
    const std::string checkFilter = checkFilterText(form);
    const std::string selectedFolders = selectedFolderText(form.SelectedFolderPaths);
    const QListWidgetItem* anyFilter = form.FilterCheckListBox->item(0);
    file.writeBool(ini::FileFolder, ini::AnyFilter, anyFilter && anyFilter->checkState() == Qt::Checked);
    file.writeString(ini::FileFolder, ini::CheckFilter, checkFilter);
    file.writeString(ini::FileFolder, ini::AllFilter, allFilter);
    file.writeString(ini::FileFolder, ini::TxtFilter, form.TxtFilter);
    file.writeString(ini::FileFolder, ini::DataFolder, form.DirectoryListBox1->directory());
    file.writeString(ini::FileFolder, ini::SendToFolder, form.DirectoryListBox2->directory());
    file.writeString(ini::FileFolder, ini::SelctedFolder, selectedFolders);
    file.writeBool(ini::FileFolder, ini::FileSearchFindHiddenFile, form.FileSearchFindHiddenFile);
    file.writeBool(ini::FileFolder, ini::FileEraseEnabled, form.FileEraseEnabled);
}

}  // namespace

void LoadSettings(TCopyForm& form) {
    IniFile file;
    readDocument(platform().settingsLocation->settingsFile(), file);
    loadWindowSettings(form, file);
    loadFileFolder(form, file);
    form.FileOperationOptions =
        file.readInteger(ini::BaseSettings, ini::FileOperationOptions, kDefaultFileOperationOptions);
    form.setProperty(kLoadedProperty, true);
}

void SaveSettings(TCopyForm& form) {
    if (!form.property(kLoadedProperty).toBool()) return;
    try {
        const std::string path = platform().settingsLocation->settingsFile();
        IniFile file;
        std::string bytes;
        // Content that cannot be read is not replaced blindly.
        if (readWholeFile(path, bytes) == FileReadResult::Failed) throw CannotWrite(path);
        file.parse(std::move(bytes));
        saveWindowSettings(form, file);
        saveFileFolder(form, file);
        file.writeInteger(ini::BaseSettings, ini::FileOperationOptions, form.FileOperationOptions);
        if (!writeFileAtomically(path, file.serialize())) throw CannotWrite(path);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("SaveSettings Error"));
    }
}
