// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/Settings.h"

#include <algorithm>
#include <array>
#include <variant>

#include "util/IniFile.h"
#include "util/IniValues.h"

namespace {

// One key of the settings file and the member that holds it.
struct Field {
    const char* section;
    const char* key;
    std::variant<bool Settings::*, std::int32_t Settings::*, std::string Settings::*> member;
    bool boundsOfWindow = false;  // not written for a maximized window
};

// Every key, in the order it is written.
const std::array<Field, 17> fields{{
    {"Form", "Maximized", &Settings::maximized},
    {"Form", "Left", &Settings::left, true},
    {"Form", "Top", &Settings::top, true},
    {"Form", "Width", &Settings::width, true},
    {"Form", "Height", &Settings::height, true},
    {"Panels", "SelectPanel", &Settings::selectPanel},
    {"Panels", "RightPanel", &Settings::rightPanel},
    {"FileFolder", "AnyFilter", &Settings::anyFilter},
    {"FileFolder", "CheckFilter", &Settings::checkFilter},
    {"FileFolder", "AllFilter", &Settings::allFilter},
    {"FileFolder", "TxtFilter", &Settings::txtFilter},
    {"FileFolder", "DataFolder", &Settings::dataFolder},
    {"FileFolder", "SendToFolder", &Settings::sendToFolder},
    {"FileFolder", "SelctedFolder", &Settings::selectedFolders},
    {"FileFolder", "FileSearchFindHiddenFile", &Settings::fileSearchFindHiddenFile},
    {"FileFolder", "FileEraseEnabled", &Settings::fileEraseEnabled},
    {"BaseSettings", "FileOperationOptions", &Settings::fileOperationOptions},
}};

struct Reader {
    const IniFile& file;
    const Field& field;
    const Settings& defaults;
    Settings& into;
    void operator()(bool Settings::*m) const {
        into.*m = file.readBool(field.section, field.key, defaults.*m);
    }
    void operator()(std::int32_t Settings::*m) const {
        into.*m = file.readInteger(field.section, field.key, defaults.*m);
    }
    void operator()(std::string Settings::*m) const {
        into.*m = file.readString(field.section, field.key, defaults.*m);
    }
};

struct Writer {
    IniFile& file;
    const Field& field;
    const Settings& from;
    void operator()(bool Settings::*m) const { file.writeBool(field.section, field.key, from.*m); }
    void operator()(std::int32_t Settings::*m) const {
        file.writeInteger(field.section, field.key, from.*m);
    }
    void operator()(std::string Settings::*m) const {
        file.writeString(field.section, field.key, from.*m);
    }
};

}  // namespace

Settings loadSettings(const IniFile& file, const Settings& defaults) {
    Settings s;
    for (const Field& f : fields) std::visit(Reader{file, f, defaults, s}, f.member);
    return s;
}

void saveSettings(const Settings& s, IniFile& file) {
    for (const Field& f : fields)
        if (!(f.boundsOfWindow && s.maximized)) std::visit(Writer{file, f, s}, f.member);
}

std::string DeriveDataFileExtensions(const std::string& txtFilter) {
    std::string extensions;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = txtFilter.find(';', start);
        std::string piece = trimBlanks(std::string_view(txtFilter).substr(start, end - start));
        std::erase(piece, '*');
        extensions += piece + ";";
        if (end == std::string::npos) return extensions;
        start = end + 1;
    }
}
