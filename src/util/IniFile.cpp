// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/IniFile.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string_view>

// Byte strings only (values are kept as stored), compiled here rather than
// linked from the shared library.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "util/IniLines.h"
#include "util/IniValues.h"

struct IniFile::Document {
    Document() {
        ini.SetUnicode(true);     // a UTF-8 signature is accepted and dropped
        ini.SetMultiKey(true);    // duplicates stay as they are; reads take the first
        ini.SetMultiLine(false);
        ini.SetQuotes(false);
        ini.SetSpaces(false);
    }
    CSimpleIniA ini;  // the "A" flavour compares names without regard to ASCII case
    IniLines lines;   // the file as it stands; writes edit only their own lines
};

namespace {

void check(SI_Error rc) {
    if (rc == SI_NOMEM) throw std::bad_alloc();
    if (rc < 0) throw std::runtime_error("IniFile Error(" + std::to_string(rc) + ")");
}

// Blanks out every line that opens a section without closing it: the parser
// would take the lines after it into the section's name. The parser skips a
// UTF-8 signature, so the first line is looked at after it.
void blankUnclosedSections(std::string& bytes) {
    std::size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const std::size_t first = bytes.find_first_not_of(" \t", start);
        const auto lineStart = bytes.begin() + std::ptrdiff_t(start);
        const auto lineEnd = bytes.begin() + std::ptrdiff_t(end);
        if (first < end && bytes[first] == '[' && std::find(lineStart, lineEnd, ']') == lineEnd)
            std::fill(lineStart, lineEnd, ' ');
        start = end + 1;
    }
}

}  // namespace

IniFile::IniFile() : doc_(std::make_unique<Document>()) {}

IniFile::~IniFile() = default;

void IniFile::parse(std::string bytes) {
    IniLines lines(bytes);
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    blankUnclosedSections(bytes);
    doc_ = std::make_unique<Document>();
    check(doc_->ini.LoadData(bytes));
    doc_->lines = std::move(lines);
}

std::string IniFile::serialize() const { return doc_->lines.bytes(); }

std::string IniFile::readString(const char* section, const char* key,
                                const std::string& fallback) const {
    const char* value = doc_->ini.GetValue(section, key, nullptr);
    return value ? cutIniValue(value) : fallback;
}

std::int32_t IniFile::readInteger(const char* section, const char* key,
                                  std::int32_t fallback) const {
    const char* value = doc_->ini.GetValue(section, key, nullptr);
    if (!value) return fallback;
    return parseIniInteger(cutIniValue(value)).value_or(fallback);
}

bool IniFile::readBool(const char* section, const char* key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::writeString(const char* section, const char* key, const std::string& value) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return false;
    check(doc_->ini.SetValue(section, key, value.c_str(), nullptr, true));
    doc_->lines.set(section, key, value);
    return true;
}

void IniFile::writeInteger(const char* section, const char* key, std::int32_t value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const char* section, const char* key, bool value) {
    writeString(section, key, value ? "1" : "0");
}
