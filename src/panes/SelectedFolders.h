// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QString>

// Display name of a selected folder: its last path component, "/" for the
// root. Trailing "/" do not count as a component.
QString selectedFolderName(const std::string& path);
// Menu caption of a selected folder: its display name, "&" shown as such.
QString selectedFolderCaption(const std::string& path);
// The selected folders as stored: joined by ";", leaving out paths with a
// line break, which one line of the file cannot hold.
std::string selectedFolderText(const std::vector<std::string>& paths);

struct KeptFolders {
    std::vector<std::string> folders;  // the paths that are folders, in order
    bool failed = false;               // a check failed; the paths after it were not looked at
};
// The paths that name existing folders.
KeptFolders keepFolders(const std::vector<std::string>& paths,
                        const std::function<bool(const std::string&)>& isFolder);

struct SelectedFoldersFromText {
    bool changed = false;              // false: a blank text leaves everything as it is
    std::vector<std::string> folders;  // the fields that are folders, in order
    bool dropped = false;              // some field was no folder
};
// The selected folders of a stored text: its ";"-separated fields that name
// existing folders.
SelectedFoldersFromText SetSelectedFoldersFromText(
    const std::string& text, const std::function<bool(const std::string&)>& isFolder);
