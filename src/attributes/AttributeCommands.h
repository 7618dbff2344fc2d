// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class PathListBox;
class TFileOperation;

// Sets or clears the hidden (Hidden) or read-only attribute of every path in
// rows. Returns the number of rows not brought into that state, after
// telling it; ShowMessages adds the messages for an empty list and success.
int ChangeAttributesOfList(const std::vector<std::string>& rows, bool SetAttrib, bool Hidden,
                           bool ShowMessages, TFileOperation& engine);

// The four commands on every row of the data list.
void RemoveReadOnlyAttribsExecute(PathListBox& dataList, TFileOperation& engine);
void SetReadOnlyAttribsExecute(PathListBox& dataList, TFileOperation& engine);
void RemoveHiddenAttribsExecute(PathListBox& dataList, TFileOperation& engine);
void SetHiddenAttribsExecute(PathListBox& dataList, TFileOperation& engine);
