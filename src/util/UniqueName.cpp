#include "util/UniqueName.h"

#include <algorithm>
#include <cstdint>

#include "util/NumberText.h"
#include "util/PathText.h"

std::string UniqueFileName(const std::string& path, int digits, const NameTaken& taken) {
    try {
        if (!taken(path)) return path;
        digits = std::clamp(digits, 1, 5);
        const std::string ext = extensionPart(path);
        const std::string base = path.substr(0, path.size() - ext.size());
        for (std::uint32_t i = 1;; ++i) {
            std::string candidate = base + "_" + ZeroPadding(i, std::uint32_t(digits), '0') + ext;
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
