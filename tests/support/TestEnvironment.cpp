// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/TestEnvironment.h"

#include <cstdlib>
#include <filesystem>

#include "engine/UndoJournal.h"

namespace fs = std::filesystem;

namespace {
FakeDialogs dialogsDouble;
FakeClipboard clipboardDouble;
FakeScreen screenDouble;
FakeHelpViewer helpDouble;
FakeSettingsLocation settingsDouble;
FakeFileOpUi fileOpUiDouble;
}  // namespace

FakeDialogs& fakeDialogs() { return dialogsDouble; }
FakeClipboard& fakeClipboard() { return clipboardDouble; }
FakeScreen& fakeScreen() { return screenDouble; }
FakeHelpViewer& fakeHelp() { return helpDouble; }
FakeSettingsLocation& fakeSettingsLocation() { return settingsDouble; }
FakeFileOpUi& fakeFileOpUi() { return fileOpUiDouble; }
void PlatformTest::SetUp() {
    dialogsDouble.reset();
    fileOpUiDouble.reset();
    clipboardDouble.clear();
    screenDouble.screenSize = QSize(1920, 1080);
    helpDouble.calls = 0;
    helpDouble.lastFile.clear();
    settingsDouble.file = testHome() + "/.config/dorvanquellis/Dorvanquellis.ini";
    settingsDouble.exeFolder = testHome() + "/bin/";
    settingsDouble.startFolder.clear();
    fs::create_directories(settingsDouble.exeFolder);
    std::error_code ec;
    fs::remove(settingsDouble.file, ec);
    // Each test's window starts with an empty undo journal.
    fs::remove_all(UndoJournal::defaultFolder(), ec);
}

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{\n";
    for (const QString& s : list) *os << "  \"" << s.toStdString() << "\"\n";
    *os << "}";
}
