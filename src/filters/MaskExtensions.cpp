// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filters/MaskExtensions.h"

#include <algorithm>

#include "util/IniValues.h"
#include "util/PathText.h"

namespace {

bool equalsUpper(std::string_view name, const std::string& upper) {
    return name.size() == upper.size() &&
           std::equal(name.begin(), name.end(), upper.begin(), [](char a, char b) {
               return (a >= 'a' && a <= 'z' ? char(a - 'a' + 'A') : a) == b;
           });
}

}  // namespace

MaskExtensions::MaskExtensions(const std::string& mask) {
    if (mask.find("*.*") != std::string::npos) {
        text_ = "*.*";
    } else {
        std::string rest;
        std::remove_copy(mask.begin(), mask.end(), std::back_inserter(rest), '*');
        text_ = asciiUpper(rest) + ';';
    }
    allFiles_ = text_.find('*') != std::string::npos;
    // Whole extensions only: a plain text search would let ".XT;" match
    // inside ".TXT;".
    for (std::size_t from = 0; !allFiles_ && from < text_.size();) {
        const std::size_t end = text_.find(';', from);
        std::string extension = trimBlanks(text_.substr(from, end - from));
        if (!extension.empty()) extensions_.push_back(std::move(extension));
        from = end + 1;
    }
}

bool MaskExtensions::matches(std::string_view name) const {
    if (allFiles_) return true;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot);
    return std::any_of(extensions_.begin(), extensions_.end(),
                       [&](const std::string& e) { return equalsUpper(extension, e); });
}
