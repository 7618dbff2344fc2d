// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

// Fuzz targets: each feeds one input to a parser of outside input and checks
// what must hold for any input, throwing FuzzFailure where it does not.
void fuzzIniFile(std::string_view data);      // "section\nkey\nvalue\n" + settings file
void fuzzDataFile(std::string_view data);     // data file text
void fuzzFilterSyntax(std::string_view data); // filter text
void fuzzSplitWX(std::string_view data);      // delimiters "\0" text
void fuzzWildcardMask(std::string_view data); // mask "\0" name
void fuzzUriList(std::string_view data);      // text/uri-list payload
void fuzzMountTable(std::string_view data);   // /proc/self/mountinfo text
void fuzzClipboardPaste(std::string_view data); // clipboard text as UTF-16 units
void fuzzSearchMask(std::string_view data);   // mask "\0" name
void fuzzHiddenFile(std::string_view data);   // ".hidden" file text
void fuzzUndoEntry(std::string_view data);    // an undo journal file

struct NamedFuzzTarget {
    const char* name;  // its corpus folder: fuzz/corpus/<name>
    void (*run)(std::string_view data);
};

inline constexpr NamedFuzzTarget kFuzzTargets[] = {
    {"ini_file", fuzzIniFile},           {"data_file", fuzzDataFile},
    {"filter_syntax", fuzzFilterSyntax}, {"split_wx", fuzzSplitWX},
    {"wildcard_mask", fuzzWildcardMask}, {"uri_list", fuzzUriList},
    {"mount_table", fuzzMountTable},     {"clipboard_paste", fuzzClipboardPaste},
    {"search_mask", fuzzSearchMask},     {"hidden_file", fuzzHiddenFile},
    {"undo_entry", fuzzUndoEntry},
};
