// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "savelists/SaveFileList.h"

#include <algorithm>

#include "controls/FolderRows.h"
#include "controls/PathListModel.h"
#include "datalist/ListText.h"
#include "engine/IFileSystem.h"
#include "platform/IUserDialogs.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/DisplayText.h"
#include "util/FileNameFit.h"
#include "util/IniFileIo.h"
#include "util/PathText.h"
#include "util/SplitWX.h"

namespace {

QString maskEntry(const std::string& mask) {
    const QString m = QString::fromUtf8(mask.data(), qsizetype(mask.size()));
    return QLatin1Char('(') + m + QStringLiteral(") (") + m + QLatin1Char(')');
}

bool writeList(const std::string& path, const std::vector<std::string>& rows) {
    return writeFileAtomically(path, [&rows](const ByteSink& sink) { return WriteListText(rows, sink); });
}

// Empties the scratch list on the way out.
struct ScratchEmptied {
    std::vector<std::string>& list;
    ~ScratchEmptied() { list.clear(); }
};

}  // namespace

SaveFilters BuildSaveFilters(const std::string& txtFilter) {
    SaveFilters filters;
    TSplitWX split;
    if (split.Split(txtFilter, ";") == 0) {
        filters.names << maskEntry("*.txt");
    } else {
        for (const std::string& mask : split.Items) {
            filters.names << maskEntry(mask);
            filters.extensions.push_back(mask.empty() ? std::string() : mask.substr(1));
        }
    }
    filters.names << QStringLiteral("すべてのファイル(*.*) (*)");
    return filters;
}

std::string WithDefaultExtension(const std::string& path, const SaveFilters& filters, int chosen) {
    if (chosen < 0 || std::size_t(chosen) >= filters.extensions.size()) return path;
    if (fileNamePart(path).find('.') != std::string::npos) return path;
    return path + filters.extensions[std::size_t(chosen)];
}

void SaveFileListDataListExecute(SaveListAction action, const SaveListContext& context) {
    switch (action) {
        case SaveListAction::SaveFileListDataList:
            if (context.dataList.empty()) return notice(QStringLiteral("操作ファイルリストがありませんよ。"));
            break;
        case SaveListAction::SaveFileListLeft:
            if (context.foundFiles.empty()) return notice(QStringLiteral("ファイルリスト(左)がありませんよ。"));
            break;
        case SaveListAction::SaveFileListRight:
            if (context.rightFiles.count() == 0)
                return notice(QStringLiteral("ファイルリスト(右)がありませんよ。"));
            break;
        default:
            return notice(QStringLiteral("予定外の呼び出しです(SaveFileListDataListExecute)。"));
    }

    SaveFilters filters;
    try {
        filters = BuildSaveFilters(context.txtFilter);
    } catch (...) {
        return notice(QStringLiteral("SaveDataListLeftExecute Error"));
    }
    int chosen = std::clamp(context.dialog.filterIndex, 0, int(filters.names.size()) - 1);
    const std::optional<std::string> answer = platform().dialogs->saveFileName(
        QStringLiteral("名前を付けて保存"), context.startFolder, "New01", filters.names, chosen);
    if (!answer) return;
    context.dialog.filterIndex = chosen;

    std::string path;
    try {
        path = WithDefaultExtension(*answer, filters, chosen);
        // The user's own name is not cut: a shortened one could meet another
        // file or not be found again.
        if (fileNamePart(path).size() > MaxFileNameBytes)
            return notice(QStringLiteral("ファイル名が長すぎます(拡張子を含めて255バイトまで)。\r\n"
                                         "短い名前で保存してください。"));
        if (platform().fileSystem->fileExists(path) &&
            !askYesNo(displayPath(fileNamePart(path)) + QStringLiteral("は既に存在します。") +
                      QStringLiteral("\r\n") + QStringLiteral("上書きしますか?")))
            return;

        if (action == SaveListAction::SaveFileListRight) {
            // Nothing gathered: nothing written, the panes still refreshed.
            ScratchEmptied emptied{context.scratch};
            const bool gathered = FileListToList(context.rightFiles, context.scratch);
            if (gathered && context.scratch.empty()) {
                notice(QStringLiteral("ListDataSave Error(3)"));
            } else if (gathered && !writeList(path, context.scratch)) {
                return notice(QStringLiteral("ListDataSave Error(4)"));
            }
        } else {
            const PathListModel& list = action == SaveListAction::SaveFileListDataList
                                            ? context.dataList
                                            : context.foundFiles;
            if (!writeList(path, list.rows())) return notice(QStringLiteral("ListDataSave Error(4)"));
        }
    } catch (...) {
        return notice(QStringLiteral("ListDataSave Error(4)"));
    }
    RefreshAfterMove(context.trees, folderPart(path), std::string());
}
