// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// Sorts paths case-insensitively (locale collation) and removes exact
// duplicates; entries differing only in case both stay. Returns the number
// of entries removed.
int sortDroppingDuplicates(std::vector<std::string>& paths);
