// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings file: parse, write one key, parse the result again.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "Targets.h"
#include "util/IniFile.h"
#include "util/IniValues.h"

namespace {

struct Line {
    std::string_view text;
    std::string_view end;
};

// Lines with their own ends: "\r\n", "\r", "\n", or none at the end.
std::vector<Line> linesOf(std::string_view bytes) {
    std::vector<Line> lines;
    while (!bytes.empty()) {
        const std::size_t stop = bytes.find_first_of("\r\n");
        if (stop == std::string_view::npos) {
            lines.push_back({bytes, {}});
            break;
        }
        const std::size_t n = bytes.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({bytes.substr(0, stop), bytes.substr(stop, n)});
        bytes.remove_prefix(stop + n);
    }
    return lines;
}

// A section or key name as the program spells them: ASCII letters and digits.
std::string nameOr(std::string_view text, const char* fallback) {
    std::string name;
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name += c;
    return name.empty() ? fallback : name;
}

std::string trimmed(std::string_view s, std::string_view blanks) {
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(blanks) - first + 1));
}

bool sameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

// The section and key names that the file's lines spell, as C strings read them.
std::vector<std::pair<std::string, std::string>> spelledNames(std::string_view bytes) {
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    for (const Line& line : linesOf(bytes)) {
        const std::string t = trimmed(line.text, std::string_view(" \t\0", 3));
        if (t.empty() || t[0] == ';' || t[0] == '#') continue;
        if (t[0] == '[') {
            section = trimmed(t.substr(1, t.find(']') - 1), " \t");
        } else if (const std::size_t eq = t.find('='); eq != std::string::npos) {
            names.emplace_back(section.c_str(), trimmed(t.substr(0, eq), " \t").c_str());
        }
        if (names.size() == 32) break;
    }
    return names;
}

// after is before with only the lines of section/key written: the key's line
// with its text after "=" replaced, or new lines (a blank, the section header,
// the key) at one place, the line before them given a line end if it had none.
// The lines of before are matched as bytes in after, so that a new line end
// next to an old lone CR counts as what it is.
bool onlyKeyLinesChanged(const std::string& before, const std::string& after,
                         const std::string& section, const std::string& key,
                         const std::string& value) {
    const std::vector<Line> a = linesOf(before);
    auto bytes = [](const Line& l) { return std::string(l.text) + std::string(l.end); };
    std::size_t p = 0, from = 0;
    // (A last line without an end is matched from the back only.)
    while (p < a.size() && !a[p].end.empty() &&
           after.compare(from, bytes(a[p]).size(), bytes(a[p])) == 0)
        from += bytes(a[p++]).size();
    std::size_t s = 0, to = after.size();
    while (p + s < a.size()) {
        const std::string line = bytes(a[a.size() - 1 - s]);
        if (to < from + line.size() || after.compare(to - line.size(), line.size(), line) != 0) break;
        const std::size_t start = to - line.size();  // must begin a line, not end a new one
        if (start > from && after[start - 1] != '\n' && after[start - 1] != '\r') break;
        to = start;
        ++s;
    }
    const std::string middle = after.substr(from, to - from);
    const std::size_t changed = a.size() - p - s;
    if (changed == 0 && middle.empty()) return true;  // the key held that value already
    if (changed > 1) return false;
    if (changed == 1) {  // the key's own line
        const std::size_t eq = a[p].text.find('=');
        if (eq != std::string_view::npos &&
            middle == std::string(a[p].text.substr(0, eq + 1)) + value + std::string(a[p].end))
            return true;
    }
    const std::string keyLine = key + "=" + value, header = "[" + section + "]";
    const std::vector<std::vector<std::string>> allowed = {
        {keyLine}, {header, keyLine}, {"", header, keyLine}};
    for (const char* end : {"\n", "\r\n", "\r"}) {
        // The last line, when it had no end, gets one before the new lines.
        std::string head;
        if (changed == 1) {
            if (p + 1 != a.size() || !a[p].end.empty()) return false;
            head = std::string(a[p].text) + end;
        }
        for (const auto& lines : allowed) {
            std::string inserted = head;
            for (const std::string& line : lines) inserted += line + end;
            if (middle == inserted) return true;
        }
    }
    return false;
}

constexpr const char* kMissing = "\x01missing";

}  // namespace

void fuzzIniFile(std::string_view data) {
    const std::vector<std::string_view> f = fuzzFields(data, '\n', 4);
    const std::string section = nameOr(f[0], "Form"), key = nameOr(f[1], "Left");
    const std::string original(f[3]);

    IniFile ini;
    ini.parse(original);
    FUZZ_CHECK(ini.serialize() == original);
    const auto names = spelledNames(original);
    std::vector<std::string> readBefore;
    for (const auto& [s, k] : names) readBefore.push_back(ini.readString(s.c_str(), k.c_str(), kMissing));
    (void)ini.readInteger(section.c_str(), key.c_str(), 0);

    // A value that cannot be one line (a line break, a NUL that reads as a
    // blank) is refused and changes nothing.
    std::string value(f[2]);
    FUZZ_CHECK(!ini.writeString(section.c_str(), key.c_str(), value + "\n"));
    if (value.find('\0') != std::string::npos)
        FUZZ_CHECK(!ini.writeString(section.c_str(), key.c_str(), value));
    FUZZ_CHECK(ini.serialize() == original);

    std::erase_if(value, [](char c) { return c == '\r' || c == '\0'; });
    FUZZ_CHECK(ini.writeString(section.c_str(), key.c_str(), value));
    FUZZ_CHECK(ini.readString(section.c_str(), key.c_str(), kMissing) == cutIniValue(value));
    const std::string written = ini.serialize();
    FUZZ_CHECK(onlyKeyLinesChanged(original, written, section, key, value));

    IniFile again;
    again.parse(written);
    FUZZ_CHECK(again.serialize() == written);
    FUZZ_CHECK(again.readString(section.c_str(), key.c_str(), kMissing) ==
               cutIniValue(trimmed(value, " \t")));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto& [s, k] = names[i];
        if (sameName(s, section) && sameName(k, key)) continue;
        FUZZ_CHECK(again.readString(s.c_str(), k.c_str(), kMissing) == readBefore[i]);
    }
}
