// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rename/SingleRename.h"

#include <cerrno>
#include <optional>
#include <string>

#include "controls/FolderRows.h"
#include "controls/PathListModel.h"
#include "engine/IFileSystem.h"
#include "engine/FileOpErrors.h"
#include "platform/IUserDialogs.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "rename/BulkRename.h"
#include "rename/RenamePlan.h"
#include "util/DisplayText.h"
#include "util/PathText.h"

namespace {

const QString kAskRename = QStringLiteral("ファイル名を変更してもよろしいですか?");

// The file at path may be renamed: it is there, no system file, and a hidden
// or read-only one only after a Yes.
bool mayRename(const std::string& path) {
    IFileSystem& fs = *platform().fileSystem;
    if (!fs.fileExists(path)) {
        notice(displayPath(path) + QStringLiteral("\r\nが見つかりませんでした。"));
        return false;
    }
    const unsigned bits = fs.attributes(path).value_or(0);
    if (bits & attr::System) {
        notice(QStringLiteral("これはシステムファイルです。\r\nリネームは中止します。"));
        return false;
    }
    if (bits & attr::Hidden) return askYesNo(QStringLiteral("これは隠しファイルです。\r\n") + kAskRename);
    if (bits & attr::ReadOnly)
        return askYesNo(QStringLiteral("これは読み取り専用ファイルです。\r\n") + kAskRename);
    return true;
}

// The reason a rename was refused, on a line of its own, where the user can
// do something about it: a mount where no rename is sure not to replace.
QString failureReason(int rc) {
    if (rc != fileop_error::NoExclusiveRename) return {};
    return QStringLiteral("\r\n") + QString::fromStdString(fileOpErrorText(rc));
}

// Renames the file at path to a name the user gives (name: its shown name);
// the new full path when it was renamed.
std::optional<std::string> renameFile(const std::string& path, const std::string& name) {
    if (!mayRename(path)) return std::nullopt;
    const QString shown = displayPath(name);
    const QString answer = platform().dialogs->inputBox(
        QStringLiteral("ファイル名の変更"), QStringLiteral("新しいファイル名を入力してください。"), shown);
    if (answer == shown) return std::nullopt;
    const std::string newName = pathFromDisplay(answer);
    const std::string target = path.substr(0, path.size() - fileNamePart(path).size()) + newName;
    IFileSystem& fs = *platform().fileSystem;
    // A name with "/" would move the file into another folder.
    if (isPlainName(newName) && (fs.fileExists(target) || fs.directoryExists(target))) {
        notice(answer + QStringLiteral(" は既に存在します。\r\n( リネームできませんでした。 )"));
        return std::nullopt;
    }
    const int rc = isPlainName(newName) ? renameRecorded(path, target) : EINVAL;
    if (rc != 0) {
        notice(QStringLiteral("ファイル名の変更に失敗しました。") + failureReason(rc));
        return std::nullopt;
    }
    return target;
}

// The current row, after asking for one when there is none; -1 then.
int currentRowOf(const RowCursor& list) {
    const int row = list.currentRow();
    if (row < 0) notice(QStringLiteral("リネームするファイルを指定してください。"));
    return row;
}

}  // namespace

void ReNameFileNameRightExecute(FolderRows& rightFiles) {
    if (rightFiles.count() == 0) return;
    const int row = currentRowOf(rightFiles);
    if (row < 0) return;
    const std::string name = rightFiles.nameAt(row);
    if (const auto target = renameFile(rightFiles.fullPath(row), name))
        rightFiles.renameRow(row, fileNamePart(*target));
}

void RenameFileNameLeftExecute(RowCursor& names, PathListModel& paths) {
    if (paths.empty()) return;
    const int row = currentRowOf(names);
    if (row < 0 || std::size_t(row) >= paths.size()) return;
    const std::string path = paths.at(std::size_t(row));
    if (const auto target = renameFile(path, fileNamePart(path))) paths.setAt(std::size_t(row), *target);
}
