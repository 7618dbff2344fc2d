// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class ListRows;
class TFileOperation;

// Sets or clears the hidden (hidden) or read-only attribute of every path in
// rows. Returns the number of rows not brought into that state, after
// telling it; showMessages adds the messages for an empty list and success.
int ChangeAttributesOfList(const std::vector<std::string>& rows, bool setAttrib, bool hidden,
                           bool showMessages, TFileOperation& engine);

// The four commands on every row of the data list.
void RemoveReadOnlyAttribsExecute(ListRows& dataList, TFileOperation& engine);
void SetReadOnlyAttribsExecute(ListRows& dataList, TFileOperation& engine);
void RemoveHiddenAttribsExecute(ListRows& dataList, TFileOperation& engine);
void SetHiddenAttribsExecute(ListRows& dataList, TFileOperation& engine);
