// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of an INI file as they stand, for writing keys into it without
// touching anything else: every line keeps its bytes and its own line end
// ("\r\n", "\r", "\n" or none at the end of the file). Lines are recognised
// as the reader does: "[name]" opens a section, ";" or "#" begins a comment,
// "key=value" is a value line; names match without regard to ASCII case.
class IniLines {
public:
    explicit IniLines(std::string_view bytes = {});

    // Sets key in section. The first line of that key in the first section of
    // that name gets the new value after its "=", keeping its key text and
    // line end; a new key goes after the last line of the section that is
    // neither blank nor a comment;
    // a new section goes at the end of the file.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string bytes() const;

private:
    struct Line {
        std::string text;
        std::string end;
    };
    // Index of the header line of the first section named section, or npos.
    std::size_t findSection(std::string_view section) const;
    // Line end for new lines: the file's first, or "\n" for a file without.
    std::string newLineEnd() const;
    void insert(std::size_t at, std::string text);

    std::vector<Line> lines_;
};
