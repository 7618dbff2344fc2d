// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/linux/XdgSettingsLocation.h"
#include "support/TestEnvironment.h"

namespace {

// Sets an environment variable for the scope and restores it after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (had_) ::setenv(name_, old_.c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

// An installed copy keeps its settings in the user's config folder and opens
// the panes at home; a portable copy keeps both beside the executable.
TEST(SettingsLocation, PortableFileDecidesWhereSettingsAndPanesStart) {
    TempDir dir;
    const std::string exe = dir.mkdir("usr/bin") + "/";
    const std::string home = dir.mkdir("home");
    const std::string config = dir.mkdir("config");
    const ScopedEnv homeVar("HOME", home.c_str());
    struct Case {
        bool portable;
        const char* xdgConfigHome;
        std::string file;
        std::string panes;
    } cases[] = {
        {false, config.c_str(), config + "/dorvanquellis/Dorvanquellis.ini", home + "/"},
        {false, "relative/config", home + "/.config/dorvanquellis/Dorvanquellis.ini", home + "/"},
        {false, "", home + "/.config/dorvanquellis/Dorvanquellis.ini", home + "/"},
        {true, config.c_str(), exe + "Dorvanquellis.ini", exe},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.portable ? "portable, " : "installed, ") + c.xdgConfigHome);
        const ScopedEnv xdgVar("XDG_CONFIG_HOME", c.xdgConfigHome);
        if (c.portable) dir.write("usr/bin/Dorvanquellis.ini", "");
        XdgSettingsLocation location(exe);
        EXPECT_EQ(location.settingsFile(), c.file);
        EXPECT_EQ(location.defaultFolder(), c.panes);
        EXPECT_EQ(location.executableFolder(), exe);
    }
}

}  // namespace
