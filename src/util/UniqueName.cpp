// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/UniqueName.h"

#include <algorithm>
#include <cstdint>

#include "util/FileNameFit.h"
#include "util/NumberText.h"
#include "util/PathText.h"

std::string NumberedName(const std::string& base, const std::string& ext, std::uint32_t number,
                         int digits, std::size_t maxNameBytes) {
    return fitFileName(base, "_" + ZeroPadding(number, std::uint32_t(digits), '0') + ext, maxNameBytes);
}

std::string UniqueFileName(const std::string& path, int digits, const NameTaken& taken) {
    try {
        if (!taken(path)) return path;
        digits = std::clamp(digits, 1, 5);
        const std::string ext = extensionPart(path);
        const std::string name = fileNamePart(path);
        const std::string folder = path.substr(0, path.size() - name.size());
        const std::string base = name.substr(0, name.size() - ext.size());
        for (std::uint32_t i = 1;; ++i) {
            const std::string fitted = NumberedName(base, ext, i, digits);
            if (fitted.empty()) return {};
            std::string candidate = folder + fitted;
            if (!taken(candidate)) return candidate;
            if (i == UINT32_MAX) return {};
        }
    } catch (...) {
        return {};
    }
}

std::string UniqueFolderName(const std::string& folder, const NameTaken& taken) {
    try {
        const std::string prefix = withTrailingSlash(folder);
        for (std::uint32_t i = 1;; ++i) {
            std::string candidate = prefix + ZeroPadding(i, 3, '0');
            if (!taken(candidate)) return candidate;
            if (i == UINT32_MAX) return {};
        }
    } catch (...) {
        return {};
    }
}

std::string collisionFreeName(const std::string& path, bool isFolder, const NameTaken& taken,
                              std::size_t maxNameBytes) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = path.substr(folder.size());
    std::string base = name;
    std::string ext;
    if (!isFolder) {
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0) {
            base = name.substr(0, dot);
            ext = name.substr(dot);
        }
    }
    for (std::uint32_t counter = 1; counter < 1000000; ++counter) {
        const std::string fitted = NumberedName(base, ext, counter, 2, maxNameBytes);
        if (fitted.empty()) return {};
        const std::string candidate = folder + fitted;
        if (!taken(candidate)) return candidate;
    }
    return {};
}
