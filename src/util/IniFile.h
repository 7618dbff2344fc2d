// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <string>

// An INI document in memory with private-profile reading rules: section and
// key names match without regard to ASCII case, blanks around a value are
// dropped, a value reads as at most kIniValueLimit bytes, the first of
// duplicate keys wins. Writing changes only the lines of the keys written
// (see IniLines): every other line keeps its bytes and its line end.
class IniFile {
public:
    IniFile();
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Replaces the document with the parsed bytes of a file. NUL bytes count
    // as blanks, so nothing after them is lost.
    void parse(std::string bytes);
    // The document as file bytes.
    std::string serialize() const;

    std::string readString(const char* section, const char* key, const std::string& fallback) const;
    // fallback also for a value that is not an integer.
    std::int32_t readInteger(const char* section, const char* key, std::int32_t fallback) const;
    // An integer read, any non-zero value is true.
    bool readBool(const char* section, const char* key, bool fallback) const;

    // Sets the value. A value with a line break cannot be stored as one line,
    // nor one with a NUL (read back as a blank): the key keeps its old value
    // and the result is false.
    bool writeString(const char* section, const char* key, const std::string& value);
    void writeInteger(const char* section, const char* key, std::int32_t value);
    void writeBool(const char* section, const char* key, bool value);

private:
    struct Document;
    std::unique_ptr<Document> doc_;
};
