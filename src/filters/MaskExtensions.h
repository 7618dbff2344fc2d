// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The extensions a mask of filters names, for the search and the extraction:
// "*.*" anywhere means every file; otherwise the mask without its asterisks,
// in ASCII upper case, with one ";" appended ("*.txt;*.m3u" gives
// ".TXT;.M3U;"). Blanks next to a ";" are no part of an extension.
class MaskExtensions {
public:
    explicit MaskExtensions(const std::string& mask = "*.*");

    const std::string& text() const { return text_; }
    bool allFiles() const { return allFiles_; }
    // In all-files mode every name; otherwise a name whose extension (from its
    // last dot, the dot included) equals one of the filter's extensions,
    // ignoring ASCII case. A name without a dot never matches.
    bool matches(std::string_view name) const;

private:
    std::string text_;
    bool allFiles_ = true;
    std::vector<std::string> extensions_;  // upper case, each with its dot
};
