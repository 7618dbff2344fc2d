// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

class IniFile;

// Everything the settings file keeps, with the defaults of a missing file.
// The folder defaults depend on where the program runs and are given to load.
struct Settings {
    // Form
    bool maximized = false;
    int left = 0;
    int top = 0;
    int width = 600;
    int height = 360;
    // Panels
    int selectPanel = 300;
    int rightPanel = 84;
    // FileFolder
    bool anyFilter = false;
    std::string checkFilter = "*.txt";
    std::string allFilter = "*.txt";
    std::string txtFilter = "*.txt";
    std::string dataFolder;
    std::string sendToFolder;
    std::string selectedFolders;  // paths joined by ";"
    bool fileSearchFindHiddenFile = false;
    bool fileEraseEnabled = false;
    // BaseSettings
    std::int32_t fileOperationOptions = 202;

    bool operator==(const Settings&) const = default;
};

// The settings of file; a key that is missing or unreadable keeps its value
// in defaults.
Settings loadSettings(const IniFile& file, const Settings& defaults);

// Writes every key in its order. A maximized window writes Maximized=1 and
// leaves the stored bounds as they are. A string holding a line break is not
// written (one line cannot hold it).
void saveSettings(const Settings& settings, IniFile& file);

// The data-file extensions of a data-file filter: every "*" and the blanks
// next to a ";" removed, ";" appended ("*.txt; *.m3u" gives ".txt;.m3u;").
std::string DeriveDataFileExtensions(const std::string& txtFilter);
