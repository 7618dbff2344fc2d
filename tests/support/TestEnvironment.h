#pragma once

#include <ostream>
#include <string>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeFileOpUi.h"
#include "support/FakeServices.h"

// Doubles installed for every test: no test ever opens a real dialog, reads
// the real clipboard or touches the user's real settings.
FakeDialogs& fakeDialogs();
FakeClipboard& fakeClipboard();
FakeScreen& fakeScreen();
FakeHelpViewer& fakeHelp();
FakeSettingsLocation& fakeSettingsLocation();
FakeFileOpUi& fakeFileOpUi();

// The per-run temporary home (HOME, XDG_* point here).
const std::string& testHome();

// A fresh folder below the test home, removed (read-only parts included) at
// the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path()/relative
    std::string operator/(const std::string& relative) const;
    // Creates a file (and its folders) with content; returns its full path.
    std::string write(const std::string& relative, const std::string& content = "x") const;
    std::string mkdir(const std::string& relative) const;

private:
    std::string path_;
};

std::string readFile(const std::string& path);
bool exists(const std::string& path);
// The owner may write path (a link is not followed).
bool ownerWritable(const std::string& path);

// Resets every double before each test.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Readable failure output for Qt strings.
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
