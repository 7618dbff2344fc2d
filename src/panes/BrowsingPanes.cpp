// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panes/BrowsingPanes.h"

#include "controls/FolderFiles.h"
#include "controls/FolderTree.h"
#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "engine/IFileSystem.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/DataFile.h"
#include "util/DisplayText.h"
#include "util/PathText.h"

namespace {

// Moves tree to folder; a failure is reported as an uncaught one would be.
void moveTreeOrReport(FolderTree& tree, const std::string& folder) {
    if (!tree.setDirectory(folder))
        ShowErrorReport(QStringLiteral("フォルダを開けません: ") + displayPath(folder));
}

}  // namespace

void BrowsingPanes::FileListBox1Change() {
    if (!c_.formReady) return;
    const FolderFiles& files = c_.leftFiles;
    // A change in the folder must not wipe search results from the list.
    if (files.autoRefreshing() && !foundFilesShowFolder()) return;

    ListRows& names = c_.nameList;
    const bool sameFolder = builtFolder_ == files.directory();
    builtFolder_ = files.directory();
    std::string currentPath;
    if (const int row = names.currentRow(); sameFolder && row >= 0)
        currentPath = c_.foundFiles.at(std::size_t(row));

    std::vector<std::string> fullPaths = files.fullPaths();
    int keep = -1;
    if (!currentPath.empty())
        for (std::size_t i = 0; i < fullPaths.size() && keep < 0; ++i)
            if (fullPaths[i] == currentPath) keep = int(i);
    if (sameFolder) names.replaceRows(std::move(fullPaths), keep);
    else c_.foundFiles.setRows(std::move(fullPaths));
}

bool BrowsingPanes::foundFilesShowFolder() const {
    if (c_.searching) return false;
    const std::string& folder = c_.leftFiles.directory();
    for (const std::string& path : c_.foundFiles.rows())
        if (folderPart(path) != folder) return false;
    return true;
}

void BrowsingPanes::FileNameListBoxClick() {
    ListRows& names = c_.nameList;
    c_.dataList.paths().clear();
    if (names.count() > 0) {
        if (names.currentRow() < 0) names.setCurrentRow(0);
        const std::size_t row = std::size_t(names.currentRow());
        const std::string path = c_.foundFiles.at(row);
        const std::string ext = extensionPart(fileNamePart(path));
        if (!ext.empty() && c_.dataFileExtensions.find(asciiLower(ext) + ";") != std::string::npos) {
            if (platform().fileSystem->fileExists(path)) {
                loadDataFile(path);
            } else {
                notice(displayPath(fileNamePart(path)) + QStringLiteral(" が見つかりませんでした。"));
                c_.foundFiles.removeAt(row);
            }
        }
    }
    UpdateDataListHint();
}

void BrowsingPanes::loadDataFile(const std::string& path) {
    std::vector<std::string> rows;
    const DataFileRead result = readDataFile(path, rows);
    if (result != DataFileRead::Ok) {
        const QString name = displayPath(fileNamePart(path));
        const QString text = result == DataFileRead::TooLarge
                                 ? QStringLiteral(" は大きすぎるため読み込めませんでした。")
                                 : QStringLiteral(" を読み込めませんでした。");
        notice(name + text);
        return;
    }
    ListRows& data = c_.dataList;
    data.holdPainting(true);
    data.paths().setRows(std::move(rows));
    if (data.count() > 0) {
        data.setCurrentRow(0);
        data.selectRow(0);
    }
    data.holdPainting(false);
}

void BrowsingPanes::DataListBoxClick() { UpdateDataListHint(); }

void BrowsingPanes::UpdateDataListHint() {
    ListRows& data = c_.dataList;
    const int row = data.currentRow();
    if (data.count() == 0 || row < 0) {
        data.setHint(QString(), false);
        return;
    }
    data.setHint(displayPath(fileNamePart(data.paths().at(std::size_t(row)))), true);
}

void DirectorySetLeftExecute(TreeAlignment sender, FolderTree& left, FolderTree& right) {
    switch (sender) {
        case TreeAlignment::DirectorySetLeft: moveTreeOrReport(right, left.directory()); break;
        case TreeAlignment::DirectorySetRight: moveTreeOrReport(left, right.directory()); break;
        case TreeAlignment::Other:
            notice(QStringLiteral("予定外の呼び出しです(DirectorySetLeftExecute)。"));
            break;
    }
}

void SelectedFolder_Click(FolderTree& tree, const std::vector<std::string>& selectedFolders,
                          int index) {
    if (index < 0 || std::size_t(index) >= selectedFolders.size() ||
        !tree.setDirectory(selectedFolders[std::size_t(index)]))
        notice(QStringLiteral("フォルダ設定エラー。"));
}
