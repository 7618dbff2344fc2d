// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/FileJob.h"

#include <algorithm>

#include "util/PathText.h"

std::vector<std::string> FileJob::resolvedTargets() const {
    if (kind == JobKind::Trash || kind == JobKind::Erase) return {};
    if (!targets.empty()) return targets;
    std::vector<std::string> resolved;
    resolved.reserve(sources.size());
    for (const std::string& s : sources) resolved.push_back(joinPath(targetFolder, fileNamePart(s)));
    return resolved;
}

std::size_t JobOutcome::count(ItemStatus status) const {
    return std::size_t(std::count_if(items.begin(), items.end(),
                                     [status](const ItemOutcome& i) { return i.status == status; }));
}
