// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/IniLines.h"

#include <algorithm>

namespace {

constexpr std::string_view kSignature = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\0'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// The name of a section header line, or false when the line is none.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = trimmed(line.substr(1, close - 1));
    return true;
}

// The key of a value line, or false for a comment, header or other line.
bool keyName(std::string_view line, std::string_view& key) {
    const std::string_view t = trimmed(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[') return false;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = trimmed(line.substr(0, eq));
    return !key.empty();
}

}  // namespace

IniLines::IniLines(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(bytes.substr(start)), {}});
            break;
        }
        const std::size_t endSize =
            bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
        lines_.push_back({std::string(bytes.substr(start, stop - start)),
                          std::string(bytes.substr(stop, endSize))});
        start = stop + endSize;
    }
}

std::size_t IniLines::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view text = lines_[i].text;
        if (i == 0 && text.substr(0, kSignature.size()) == kSignature) text.remove_prefix(kSignature.size());
        std::string_view name;
        if (sectionName(text, name) && sameName(name, section)) return i;
    }
    return std::string::npos;
}

std::string IniLines::newLineEnd() const {
    for (const Line& line : lines_)
        if (!line.end.empty()) return line.end;
    return "\n";
}

void IniLines::insert(std::size_t at, std::string text) {
    const std::string end = newLineEnd();
    // The line before a new one needs an end of its own.
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = end;
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), Line{std::move(text), end});
}

void IniLines::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t header = findSection(section);
    if (header == std::string::npos) {
        std::size_t at = lines_.size();
        if (at > 0 && !trimmed(lines_.back().text).empty()) insert(at++, {});
        insert(at, "[" + std::string(section) + "]");
        insert(at + 1, std::string(key) + "=" + std::string(value));
        return;
    }
    std::size_t lastFilled = header;  // the new key goes after it
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        std::string_view name;
        if (sectionName(lines_[i].text, name)) break;
        std::string_view found;
        if (keyName(lines_[i].text, found) && sameName(found, key)) {
            std::string& text = lines_[i].text;
            text.replace(text.find('=') + 1, std::string::npos, value);
            return;
        }
        // Comments that close a section usually speak of what follows.
        const std::string_view t = trimmed(lines_[i].text);
        if (!t.empty() && t.front() != ';' && t.front() != '#') lastFilled = i;
    }
    insert(lastFilled + 1, std::string(key) + "=" + std::string(value));
}

std::string IniLines::bytes() const {
    std::string out;
    for (const Line& line : lines_) out += line.text + line.end;
    return out;
}
