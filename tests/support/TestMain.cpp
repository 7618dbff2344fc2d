// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Test entry: a private home, the offscreen platform, the application set up
// as the program does, and scripted doubles for every interactive service.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <gtest/gtest.h>

#include "platform/ApplicationSetup.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"

int main(int argc, char** argv) {
    const std::string home = makeTestHome();
    if (home.empty()) return 2;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();
    Platform& p = platform();
    p.dialogs = &fakeDialogs();
    p.clipboard = &fakeClipboard();
    p.screen = &fakeScreen();
    p.help = &fakeHelp();
    p.settingsLocation = &fakeSettingsLocation();
    p.fileOpUi = &fakeFileOpUi();

    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return result;
}
