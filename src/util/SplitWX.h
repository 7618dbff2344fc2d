// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// Cuts a text into fields at every occurrence of any delimiter character.
// Texts are UTF-8; delimiters are whole characters, so a byte inside a
// multi-byte character never splits.
class TSplitWX {
public:
    // Returns the number of fields (delimiters found + 1), also Items.size();
    // 0 on failure.
    int Split(const std::string& text, const std::string& delimiters);

    std::vector<std::string> Items;
};
