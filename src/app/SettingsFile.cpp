// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SettingsFile.h"

#include <stdexcept>

#include "app/CopyForm.h"
#include "platform/ISettingsLocation.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "util/DisplayText.h"
#include "util/IniFile.h"
#include "util/IniFileIo.h"

namespace {

const char* const kLoadedProperty = "settingsLoaded";

class CannotWrite : public std::runtime_error {
public:
    explicit CannotWrite(const std::string& path)
        : std::runtime_error((displayPath(path) + QStringLiteral(" に書き込めません")).toStdString()) {}
};

// The file's document; empty when the file is missing or unreadable.
void readDocument(const std::string& path, IniFile& file) {
    try {
        std::string bytes;
        if (readWholeFile(path, bytes) == FileReadResult::Read) file.parse(std::move(bytes));
    } catch (...) {
        file.parse({});
    }
}

}  // namespace

void LoadSettings(TCopyForm& form) {
    IniFile file;
    readDocument(platform().settingsLocation->settingsFile(), file);
    Settings defaults;
    defaults.dataFolder = defaults.sendToFolder = platform().settingsLocation->defaultFolder();
    form.applySettings(loadSettings(file, defaults));
    form.setProperty(kLoadedProperty, true);
}

void SaveSettings(TCopyForm& form) {
    if (!form.property(kLoadedProperty).toBool()) return;
    try {
        const std::string path = platform().settingsLocation->settingsFile();
        IniFile file;
        std::string bytes;
        // Content that cannot be read is not replaced blindly.
        if (readWholeFile(path, bytes) == FileReadResult::Failed) throw CannotWrite(path);
        file.parse(std::move(bytes));
        saveSettings(form.collectSettings(), file);
        if (!writeFileAtomically(path, file.serialize())) throw CannotWrite(path);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorReport(QStringLiteral("SaveSettings Error"));
    }
}
