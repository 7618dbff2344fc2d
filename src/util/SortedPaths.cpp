// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "util/SortedPaths.h"

#include <algorithm>

#include "util/Collation.h"

int sortDroppingDuplicates(std::vector<std::string>& paths) {
    sortCaseInsensitive(paths);
    const auto end = std::unique(paths.begin(), paths.end());
    const int removed = int(paths.end() - end);
    paths.erase(end, paths.end());
    return removed;
}
