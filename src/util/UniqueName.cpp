#include "util/UniqueName.h"

#include <algorithm>
#include <cstdint>

#include "util/FileNameFit.h"
#include "util/NumberText.h"
#include "util/PathText.h"

std::string UniqueFileName(const std::string& path, int digits, const NameTaken& taken) {
    try {
        if (!taken(path)) return path;
        digits = std::clamp(digits, 1, 5);
        const std::string ext = extensionPart(path);
        const std::string name = fileNamePart(path);
        const std::string folder = path.substr(0, path.size() - name.size());
        const std::string base = name.substr(0, name.size() - ext.size());
        for (std::uint32_t i = 1;; ++i) {
            const std::string fitted =
                fitFileName(base, "_" + ZeroPadding(i, std::uint32_t(digits), '0') + ext);
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
