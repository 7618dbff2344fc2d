// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rename/RenamePlan.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>
#include <unordered_map>

#include "util/NumberText.h"
#include "util/PathText.h"
#include "util/UniqueName.h"

BaseName splitBaseName(const std::string& text) {
    std::size_t cut = text.size();
    while (cut > 0 && text[cut - 1] >= '0' && text[cut - 1] <= '9') --cut;
    return {text.substr(0, cut), text.substr(cut)};
}

SerialNumbers serialNumbers(const std::string& digits, std::size_t count) {
    std::string run = digits;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(run.data(), run.data() + run.size(), value);
    if (run.empty() || error != std::errc() || end != run.data() + run.size()) {
        run = "001";
        value = 1;
    }
    SerialNumbers numbers{value, int(run.size())};
    // One past the last number used: 9 files from 1 need two digits.
    const int bound = int(std::to_string(numbers.start + std::int64_t(count)).size());
    if (bound > numbers.width) numbers.width = bound;
    return numbers;
}

std::string serialNumberText(std::int64_t number, int width) {
    if (number <= std::numeric_limits<std::int32_t>::max())
        return signedZeroPadding(std::int32_t(number), width).text;
    // Past the 32-bit range the count goes on instead of turning negative.
    const std::string digits = std::to_string(number);
    return std::string(std::size_t(std::max(0, width - int(digits.size()))), '0') + digits;
}

NameRule serialNameRule(const BaseName& base, std::size_t count) {
    const SerialNumbers numbers = serialNumbers(base.digits, count);
    auto next = std::make_shared<std::int64_t>(numbers.start);
    return [prefix = base.prefix, width = numbers.width, next](const std::string& path) {
        return prefix + serialNumberText((*next)++, width) + extensionPart(fileNamePart(path));
    };
}

NameRule extensionRule(const std::string& extension) {
    const std::string wanted = asciiLower(extension);
    return [extension, wanted](const std::string& path) {
        const std::string name = fileNamePart(path);
        const std::string own = extensionPart(name);
        if (asciiLower(own) == wanted) return name;
        return name.substr(0, name.size() - own.size()) + extension;
    };
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

std::vector<PlannedName> planRenames(const std::vector<std::string>& paths, const NameRule& rule,
                                     const NameProbe& probe, const std::function<bool()>& stopped) {
    // Files the plan has moved so far: true where one now is, false where
    // one has gone.
    std::unordered_map<std::string, bool> moved;
    const auto fileAt = [&](const std::string& p) {
        const auto it = moved.find(p);
        return it != moved.end() ? it->second : probe.fileAt(p);
    };
    const auto takenAt = [&](const std::string& p) {
        const auto it = moved.find(p);
        return it != moved.end() ? it->second : probe.takenAt(p);
    };

    std::vector<PlannedName> plan;
    plan.reserve(paths.size());
    for (const std::string& path : paths) {
        if (stopped && stopped()) break;
        if (!fileAt(path)) {
            plan.push_back({PlannedName::Step::Missing, {}});
            continue;
        }
        const std::string name = rule(path);
        if (!isPlainName(name)) {
            plan.push_back({PlannedName::Step::Fail, {}});
            break;
        }
        std::string target = path.substr(0, path.size() - fileNamePart(path).size()) + name;
        if (target == path) {
            plan.push_back({PlannedName::Step::Keep, {}});
            continue;
        }
        if (takenAt(target)) target = UniqueFileName(target, 2, takenAt);
        if (target.empty()) {
            plan.push_back({PlannedName::Step::Fail, {}});
            break;
        }
        moved[path] = false;
        moved[target] = true;
        plan.push_back({PlannedName::Step::Rename, std::move(target)});
    }
    return plan;
}
