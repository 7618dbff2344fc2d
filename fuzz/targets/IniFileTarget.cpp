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
    bool operator==(const Line&) const = default;
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
bool onlyKeyLinesChanged(std::string_view before, std::string_view after,
                         const std::string& section, const std::string& key,
                         const std::string& value) {
    const std::vector<Line> a = linesOf(before), b = linesOf(after);
    std::size_t p = 0;
    while (p < a.size() && p < b.size() && a[p] == b[p]) ++p;
    std::size_t s = 0;
    while (s < a.size() - p && s < b.size() - p && a[a.size() - 1 - s] == b[b.size() - 1 - s]) ++s;
    const std::size_t changed = a.size() - p - s;
    std::size_t added = b.size() - p - s;
    if (changed == 0 && added == 0) return true;  // the key held that value already
    if (changed > 1) return false;
    if (changed == 1 && added == 1) {  // the key's own line
        const std::size_t eq = a[p].text.find('=');
        return eq != std::string_view::npos && a[p].end == b[p].end &&
               b[p].text.substr(0, eq + 1) == a[p].text.substr(0, eq + 1) &&
               b[p].text.substr(eq + 1) == value;
    }
    std::size_t at = p;
    if (changed == 1) {  // the last line, given a line end
        if (p + 1 != a.size() || !a[p].end.empty() || b[p].text != a[p].text || b[p].end.empty())
            return false;
        ++at;
        --added;
    }
    const std::string keyLine = key + "=" + value, header = "[" + section + "]";
    const std::vector<std::vector<std::string>> allowed = {
        {keyLine}, {header, keyLine}, {"", header, keyLine}};
    std::vector<std::string> inserted;
    for (std::size_t i = at; i < at + added; ++i) {
        if (b[i].end.empty()) return false;
        inserted.emplace_back(b[i].text);
    }
    return std::find(allowed.begin(), allowed.end(), inserted) != allowed.end();
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
