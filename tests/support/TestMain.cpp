// Test entry: a private home, the offscreen platform, the application set up
// as the program does, and scripted doubles for every interactive service.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <gtest/gtest.h>

#include "app/ApplicationSetup.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"

void setTestHome(const std::string& h);

int main(int argc, char** argv) {
    char pattern[] = "/tmp/dorvan-test-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    if (!dir) return 2;
    const std::string home = dir;
    setTestHome(home);
    ::setenv("HOME", home.c_str(), 1);
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const std::string sub = home + "/" + var;
        std::filesystem::create_directories(sub);
        ::setenv(var, sub.c_str(), 1);
    }
    const std::string runtime = home + "/runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
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
