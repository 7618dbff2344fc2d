#pragma once

#include "platform/ISettingsLocation.h"

// Dorvanquellis.ini beside the executable when one exists there (portable
// use), else $XDG_CONFIG_HOME/dorvanquellis/Dorvanquellis.ini.
class XdgSettingsLocation : public ISettingsLocation {
public:
    std::string settingsFile() override;
    std::string executableFolder() override;
};
