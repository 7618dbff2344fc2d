// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileOperation.h"
#include "engine/IFileSystem.h"
#include "util/DateTimeText.h"
#include "util/NumberText.h"
#include "util/UniqueName.h"
#include "util/PathText.h"

namespace {

bool isBlank(const std::string& name) {
    return name.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

bool TFileOperation::PrepareUniqueTargets(const std::vector<std::string>& paths,
                                          const std::string& destinationFolder,
                                          std::vector<std::string>& targets, bool& nameChanged) {
    nameChanged = false;
    targets.clear();
    try {
        IFileSystem& fs = fs_;
        if (!fs.directoryExists(destinationFolder)) return true;
        const std::string prefix = withTrailingSlash(destinationFolder);
        targets.assign(paths.size(), std::string());
        std::unordered_set<std::string> chosen;
        chosen.reserve(paths.size());
        std::unordered_map<std::string, std::uint32_t> nextTry;
        for (std::size_t k = 0; k < paths.size(); ++k) {
            std::string name = fileNamePart(paths[k]);
            if (k == 0) {
                // The first file only has to avoid what the folder holds.
                if (fs.fileExists(prefix + name)) {
                    nameChanged = true;
                    const std::string unique = UniqueFileName(prefix + name, 2, [&fs](const std::string& p) { return fs.fileExists(p); });
                    if (unique.empty()) return false;
                    name = fileNamePart(unique);
                }
            } else {
                bool changed = false;
                if (!NextFreeName(destinationFolder, name, chosen, changed, &nextTry)) continue;
                if (changed) nameChanged = true;
            }
            chosen.insert(asciiUpper(name));
            targets[k] = prefix + name;
        }
        return true;
    } catch (...) {
        targets.clear();
        return false;
    }
}

bool TFileOperation::NextFreeName(const std::string& folder, std::string& name,
                                  const std::unordered_set<std::string>& chosen, bool& changed,
                                  std::unordered_map<std::string, std::uint32_t>* nextTry) {
    changed = false;
    IFileSystem& fs = fs_;
    if (!fs.directoryExists(folder)) return false;
    const std::string prefix = withTrailingSlash(folder);
    if (isBlank(name)) name = "AutoName";
    if (chosen.empty()) return true;
    const std::string original = name;
    std::string base = withoutExtension(name);
    const std::string ext = extensionPart(name);
    std::string first = name;
    std::uint32_t start = 0;
    if (nextTry) {
        const auto it = nextTry->find(original);
        if (it != nextTry->end()) start = it->second;
    }
    for (std::uint32_t i = start;; ++i) {
        try {
            const std::string candidate =
                i == 0 ? first : NumberedName(base, ext, i, 2);
            if (candidate.empty()) return false;
            if (i >= 1) changed = true;
            if (!fs.fileExists(prefix + candidate) && !chosen.count(asciiUpper(candidate))) {
                name = candidate;
                // The accepted candidate joins chosen, so the next search
                // for this name starts after it.
                if (nextTry && first == original) (*nextTry)[original] = i + 1;
                return true;
            }
        } catch (...) {
            // Start over from a base no earlier name can have used.
            base = DateTimeText();
            first = base + ext;
            i = std::uint32_t(-1);
        }
    }
}
