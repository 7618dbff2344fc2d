// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cleanup/EmptyFolderCommand.h"

#include "controls/FolderTree.h"
#include "controls/ListRows.h"
#include "engine/EmptyFolders.h"
#include "engine/IFileSystem.h"
#include "platform/BusyCursor.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/DisplayText.h"
#include "util/PathText.h"

namespace {

void leaveRemovedFolder(FolderTree& tree) {
    std::string folder = tree.directory();
    if (folder.empty()) return;
    IFileSystem& fs = *platform().fileSystem;
    if (fs.directoryExists(folder)) return;
    while (folder != "/" && !folder.empty() && !fs.directoryExists(folder)) folder = folderPart(folder);
    if (!folder.empty()) tree.setDirectory(folder);
}

}  // namespace

int RemoveEmptyFolders(const std::string& start, ListRows& dataList) {
    using Status = EmptyFolderRemoval::Status;
    EmptyFolderRemoval result;
    try {
        {
            BusyCursor busy;
            removeEmptyFolders(start, result);
        }
        switch (result.status) {
            case Status::StartMissing:
                notice(displayPath(start) + QStringLiteral("が見つかりませんでした。"));
                return 0;
            case Status::StartIsRoot:
                notice(QStringLiteral("ルートディレクトリです。"));
                return 0;
            case Status::StartUnreadable:
                notice(QStringLiteral("* 検索エラーです。"));
                notice(QStringLiteral("* 検索エラーです。*"));
                return 0;
            case Status::FoldersUnreadable:
                for (int i = 0; i < result.unreadable; ++i)
                    notice(QStringLiteral("** 検索エラーです(例外)。"));
                notice(QStringLiteral("** 検索エラーです(例外)。**"));
                return 0;
            case Status::Stopped:  // the program is ending
                if (result.removed.empty()) return 0;
                break;
            case Status::Done:
                break;
        }
        const int count = int(result.removed.size());
        dataList.replaceRows(std::move(result.removed), -1);
        dataList.showTop();
        return count;
    } catch (...) {
        notice(QStringLiteral("*** 検索エラーです(例外)。"));
        return int(result.removed.size());
    }
}

void DeleteNoFileDirectoryExecute(const FolderTrees& trees, ListRows& dataList) {
    try {
        const int count = RemoveEmptyFolders(trees.right.directory(), dataList);
        notice(QString::number(count) + QStringLiteral("個のフォルダを削除しました。"));
        leaveRemovedFolder(trees.right);
        leaveRemovedFolder(trees.left);
    } catch (...) {
        notice(QStringLiteral("DeleteNoFileDirectoryExecute Error"));
    }
}
