// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// Where the settings file lives and what counts as the executable's folder.
class ISettingsLocation {
public:
    virtual ~ISettingsLocation() = default;
    // Full path of the settings file.
    virtual std::string settingsFile() = 0;
    // The executable's folder, ending with "/".
    virtual std::string executableFolder() = 0;
    // The folder both panes open when the settings name none, ending with "/":
    // the executable's folder for a portable copy, else the user's home.
    virtual std::string defaultFolder() = 0;
};
