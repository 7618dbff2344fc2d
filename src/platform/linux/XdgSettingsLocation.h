// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/ISettingsLocation.h"

// Dorvanquellis.ini beside the executable when one exists there (portable
// use), else $XDG_CONFIG_HOME/dorvanquellis/Dorvanquellis.ini.
class XdgSettingsLocation : public ISettingsLocation {
public:
    // exeFolder ("/"-terminated) stands in for the running executable's
    // folder; empty: the real one.
    explicit XdgSettingsLocation(std::string exeFolder = {}) : exeFolder_(std::move(exeFolder)) {}

    std::string settingsFile() override;
    std::string executableFolder() override;
    std::string defaultFolder() override;

private:
    std::string portableFile();
    std::string exeFolder_;
};
