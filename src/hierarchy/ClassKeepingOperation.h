// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bulk/BulkOperations.h"

// The actions bound to ClassKeeping_File_Operation; Other stands for any
// other caller.
enum class HierarchyAction { ClassKeepingFileCopy, ClassKeepingFileMove, Other };

// Copies or moves every path in the data list into the destination, keeping
// the part of its folder path below the base level the user chooses; reports
// and clears read-only copies as the bulk commands do, then refreshes the
// panes. The data list itself is left as it is.
void ClassKeeping_File_Operation(HierarchyAction action, const BulkContext& context);
