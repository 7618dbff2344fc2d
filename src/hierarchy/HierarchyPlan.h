// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// The pure core of the hierarchy-keeping copy and move: the base levels the
// user chooses from, and the target of every file below the destination.

// The one base level offered when the entries share no folder at all.
inline const std::string DriveLevel = "ドライブ";

// The deepest folder that is, name by name, an ancestor of (or the same as)
// every entry's folder part, or empty when they share none. Names compare
// exactly: /Music and /Musical/A share only "/", Photos and photos differ.
std::string CommonFolder(const std::vector<std::string>& entries);

// The common folder and each of its ancestors down to the root, the root
// first; DriveLevel alone when there is no common folder.
std::vector<std::string> FillBaseLevels(const std::vector<std::string>& entries);

// The text cut from the front of every source when levels[chosen] is the
// base: the level with "/" for a folder below the root, "/" for the root,
// empty for DriveLevel.
std::string BaseText(const std::vector<std::string>& levels, int chosen);

// prefix (the destination with its "/") + source without baseText, which is
// matched at the start exactly; a source that does not start with it keeps
// its whole path below the destination. Empty (the source is
// not handed on) when the rest would climb out of the destination with a
// ".." component or names nothing.
std::string HierarchyTarget(const std::string& source, const std::string& baseText,
                            const std::string& prefix);
