// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Planning bulk renames: which entry of a list gets which new name. Pure: the
// file system is seen only through a probe.

// A base name of serial renaming: the longest run of ASCII digits at its end
// and the text before it.
struct BaseName {
    std::string prefix;
    std::string digits;
};
BaseName splitBaseName(const std::string& text);

// Serial numbers for count entries from a digit run: the run's value (a run
// that is empty or beyond 32 bits counts as "001") and its length, widened
// to the digits of start + count.
struct SerialNumbers {
    std::int64_t start = 1;
    int width = 3;
};
SerialNumbers serialNumbers(const std::string& digits, std::size_t count);
// number zero-padded to width.
std::string serialNumberText(std::int64_t number, int width);

// The new file name of the file at path; called once per existing entry, in
// list order.
using NameRule = std::function<std::string(const std::string& path)>;
// prefix, the next serial number and the file's own extension.
NameRule serialNameRule(const BaseName& base, std::size_t count);
// The file's name with extension (".xyz") in place of its own; the name
// unchanged when its extension already is that one, ignoring ASCII case.
NameRule extensionRule(const std::string& extension);

// A name that stays in its folder: not empty, ".", "..", and without "/" or NUL.
bool isPlainName(const std::string& name);

struct PlannedName {
    enum class Step { Missing, Keep, Rename, Fail };
    Step step;
    std::string target;  // Rename: the new full path
};

// What the plan sees of the file system.
struct NameProbe {
    std::function<bool(const std::string&)> fileAt;   // a file (not a folder) is there
    std::function<bool(const std::string&)> takenAt;  // anything is there
};

// One step per entry in turn, as if each rename were made before the next
// entry is looked at: an entry with no file is Missing and gets no name; a
// name equal to the entry's is kept; a taken name becomes the first free
// name_01, name_02 ... The plan ends at the first entry that cannot be named
// (Fail), or short of the list once stopped (when given) says so.
std::vector<PlannedName> planRenames(const std::vector<std::string>& paths, const NameRule& rule,
                                     const NameProbe& probe,
                                     const std::function<bool()>& stopped = {});
