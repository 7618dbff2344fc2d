// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panes/SelectedFolders.h"

#include "util/DisplayText.h"
#include "util/IniValues.h"
#include "util/PathText.h"
#include "util/SplitWX.h"

QString selectedFolderName(const std::string& path) {
    const std::string folder = withoutTrailingSlash(path);
    if (folder == "/") return QStringLiteral("/");
    return displayPath(fileNamePart(folder));
}

QString selectedFolderCaption(const std::string& path) {
    QString caption = selectedFolderName(path);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

std::string selectedFolderText(const std::vector<std::string>& paths) {
    std::string text;
    bool first = true;
    for (const std::string& path : paths) {
        if (path.find_first_of("\r\n") != std::string::npos) continue;
        if (!first) text += ';';
        text += path;
        first = false;
    }
    return text;
}

KeptFolders keepFolders(const std::vector<std::string>& paths,
                        const std::function<bool(const std::string&)>& isFolder) {
    KeptFolders kept;
    for (const std::string& path : paths) {
        try {
            if (isFolder(path)) kept.folders.push_back(path);
        } catch (...) {
            kept.failed = true;
            break;
        }
    }
    return kept;
}

SelectedFoldersFromText SetSelectedFoldersFromText(
    const std::string& text, const std::function<bool(const std::string&)>& isFolder) {
    SelectedFoldersFromText result;
    if (trimBlanks(text).empty()) return result;
    result.changed = true;
    TSplitWX splitter;
    splitter.Split(text, ";");
    result.folders = keepFolders(splitter.Items, isFolder).folders;
    result.dropped = result.folders.size() < splitter.Items.size();
    return result;
}
