// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/FolderRows.h"

#include "controls/PathListModel.h"
#include "platform/Messages.h"

bool FileListToList(const FolderRows& list, PathListModel& target) {
    target.clear();
    std::vector<std::string> paths;
    if (!FileListToList(list, paths)) return false;
    target.append(paths);
    return true;
}

bool FileListToList(const FolderRows& list, std::vector<std::string>& target) {
    target.clear();
    if (list.count() == 0) {
        notice(QStringLiteral("データがありませんよ!"));
        return false;
    }
    try {
        target.reserve(std::size_t(list.count()));
        for (int row = 0; row < list.count(); ++row) target.push_back(list.fullPath(row));
    } catch (...) {
        target.clear();
        return false;
    }
    return true;
}
