// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/OperationOptions.h"

class FilterList;
class QAction;
class TSettingForm;

// What the settings dialog edits: the window's state.
struct SettingContext {
    OperationOptions& fileOperationOptions;  // edited as the stored integer
    const std::vector<std::string>& selectedFolderPaths;
    const FilterList& filters;          // the data-file filters are chosen among these
    std::string& txtFilter;
    std::string& dataFileExtensions;    // follows txtFilter
    bool& fileSearchFindHiddenFile;
    bool& fileEraseEnabled;
    QAction& fileErase;                 // enabled with fileEraseEnabled
    // Replaces the selected folders and their menu entries.
    std::function<void(const std::vector<std::string>&)> applySelectedFolders;
};

// Shows the settings dialog filled from the state; OK writes the options,
// the selected folders, the data-file filter and the two switches back in
// this order, Cancel changes nothing.
void BaseSettingExecute(const SettingContext& c);

// How BaseSettingExecute shows the dialog: modally, giving its result.
// Tests put in a function that works the dialog's controls and presses one
// of its buttons.
std::function<int(TSettingForm&)>& settingFormShow();
