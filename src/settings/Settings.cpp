// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/Settings.h"

#include <algorithm>

#include "settings/SettingsKeys.h"
#include "util/IniFile.h"
#include "util/IniValues.h"

Settings loadSettings(const IniFile& file, const Settings& d) {
    Settings s;
    s.maximized = file.readBool(ini::Form, ini::Maximized, d.maximized);
    s.left = file.readInteger(ini::Form, ini::Left, d.left);
    s.top = file.readInteger(ini::Form, ini::Top, d.top);
    s.width = file.readInteger(ini::Form, ini::Width, d.width);
    s.height = file.readInteger(ini::Form, ini::Height, d.height);
    s.selectPanel = file.readInteger(ini::Panels, ini::SelectPanel, d.selectPanel);
    s.rightPanel = file.readInteger(ini::Panels, ini::RightPanel, d.rightPanel);
    s.anyFilter = file.readBool(ini::FileFolder, ini::AnyFilter, d.anyFilter);
    s.checkFilter = file.readString(ini::FileFolder, ini::CheckFilter, d.checkFilter);
    s.allFilter = file.readString(ini::FileFolder, ini::AllFilter, d.allFilter);
    s.txtFilter = file.readString(ini::FileFolder, ini::TxtFilter, d.txtFilter);
    s.fileSearchFindHiddenFile =
        file.readBool(ini::FileFolder, ini::FileSearchFindHiddenFile, d.fileSearchFindHiddenFile);
    s.fileEraseEnabled = file.readBool(ini::FileFolder, ini::FileEraseEnabled, d.fileEraseEnabled);
    s.dataFolder = file.readString(ini::FileFolder, ini::DataFolder, d.dataFolder);
    s.sendToFolder = file.readString(ini::FileFolder, ini::SendToFolder, d.sendToFolder);
    s.selectedFolders = file.readString(ini::FileFolder, ini::SelctedFolder, d.selectedFolders);
    s.fileOperationOptions =
        file.readInteger(ini::BaseSettings, ini::FileOperationOptions, d.fileOperationOptions);
    return s;
}

void saveSettings(const Settings& s, IniFile& file) {
    file.writeBool(ini::Form, ini::Maximized, s.maximized);
    if (!s.maximized) {
        file.writeInteger(ini::Form, ini::Left, s.left);
        file.writeInteger(ini::Form, ini::Top, s.top);
        file.writeInteger(ini::Form, ini::Width, s.width);
        file.writeInteger(ini::Form, ini::Height, s.height);
    }
    file.writeInteger(ini::Panels, ini::SelectPanel, s.selectPanel);
    file.writeInteger(ini::Panels, ini::RightPanel, s.rightPanel);
    file.writeBool(ini::FileFolder, ini::AnyFilter, s.anyFilter);
    file.writeString(ini::FileFolder, ini::CheckFilter, s.checkFilter);
    file.writeString(ini::FileFolder, ini::AllFilter, s.allFilter);
    file.writeString(ini::FileFolder, ini::TxtFilter, s.txtFilter);
    file.writeString(ini::FileFolder, ini::DataFolder, s.dataFolder);
    file.writeString(ini::FileFolder, ini::SendToFolder, s.sendToFolder);
    file.writeString(ini::FileFolder, ini::SelctedFolder, s.selectedFolders);
    file.writeBool(ini::FileFolder, ini::FileSearchFindHiddenFile, s.fileSearchFindHiddenFile);
    file.writeBool(ini::FileFolder, ini::FileEraseEnabled, s.fileEraseEnabled);
    file.writeInteger(ini::BaseSettings, ini::FileOperationOptions, s.fileOperationOptions);
}

std::string DeriveDataFileExtensions(const std::string& txtFilter) {
    std::string extensions;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = txtFilter.find(';', start);
        std::string piece = trimBlanks(std::string_view(txtFilter).substr(start, end - start));
        std::erase(piece, '*');
        extensions += piece + ";";
        if (end == std::string::npos) return extensions;
        start = end + 1;
    }
}
