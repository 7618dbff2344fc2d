// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "folders/FolderCommands.h"

#include <filesystem>
#include <optional>

#include "controls/FolderTree.h"
#include "engine/IFileSystem.h"
#include "engine/FileOperation.h"
#include "engine/UndoItem.h"
#include "platform/ISettingsLocation.h"
#include "platform/IUserDialogs.h"
#include "platform/IVolumeInfo.h"
#include "platform/MessageBoxIds.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/DisplayText.h"
#include "util/PathText.h"
#include "util/UniqueName.h"

namespace {

const QString kForbidden = QStringLiteral("\\/:.;*?\"<>|");

bool isSameOrInside(const std::string& path, const std::string& folder) {
    const std::string p = withoutTrailingSlash(path);
    const std::string inside = withTrailingSlash(folder);
    return p == withoutTrailingSlash(folder) || p.compare(0, inside.size(), inside) == 0;
}

std::string currentFolder() {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::string() : cwd.string();
}

// Why folder must not go to the trash although it is no root: a volume
// mounted inside it would go along, or the program runs from it.
QString refusal(const std::string& folder) {
    const QString shown = displayPath(folder) + QStringLiteral("\r\n");
    const auto mounts = platform().volumes->mountPointsBelow(folder);
    if (!mounts.empty())
        return shown + QStringLiteral("の中にはボリュームがマウントされています(") +
               displayPath(mounts.front()) + QStringLiteral(")。\r\n削除できません。");
    const std::string cwd = currentFolder();
    if (isSameOrInside(platform().settingsLocation->executableFolder(), folder) ||
        (!cwd.empty() && isSameOrInside(cwd, folder)))
        return shown + QStringLiteral("はこのプログラムが使用中のフォルダです。\r\n削除できません。");
    return {};
}

}  // namespace

bool CheckFolderName(const QString& name) {
    for (const QChar c : name)
        if (kForbidden.contains(c)) {
            QString list;
            for (const QChar f : kForbidden) list += (list.isEmpty() ? QString() : QStringLiteral(" ")) + f;
            notice(QStringLiteral("フォルダ名には次の文字は使えません。\r\n\u3000\u3000") + list);
            return true;
        }
    return false;
}

void FolderNewExecute(FolderTree& rightTree) {
    const std::string folder = rightTree.directory();
    if (folder.empty()) return;
    IFileSystem& fs = *platform().fileSystem;
    std::optional<QString> answer;
    try {
        const std::string unique = UniqueFolderName(
            folder, [&fs](const std::string& path) { return fs.directoryExists(path); });
        answer = platform().dialogs->askText(QStringLiteral("フォルダ名を入力してください。"),
                                             QStringLiteral(" フォルダの新規作成"),
                                             displayPath(fileNamePart(unique)), false);
    } catch (...) {
        notice(QStringLiteral("FolderNewExecute Error"));
        return;
    }
    if (!answer) return;
    const QString& name = *answer;
    if (CheckFolderName(name)) return;

    // The root already ends with "/"; an empty name names the folder itself.
    const std::string path = joinPath(folder, pathFromDisplay(name));
    const QString quoted = QLatin1Char('\'') + name + QLatin1Char('\'');
    if (fs.directoryExists(path)) {
        notice(quoted + QStringLiteral(" フォルダは既に存在します。"));
        return;
    }
    if (path.find('\0') != std::string::npos || !fs.makeDirectory(path)) {
        notice(quoted + QStringLiteral(" フォルダの作成に失敗しました。"));
        return;
    }
    if (UndoRecorder* recorder = currentUndoRecorder())
        recorder->record({UndoAction::NewFolder, {}, path, {}, {}, currentState(path), 0});
    rightTree.setDirectory(path);
}

void FolderDeleteExecute(FolderAction action, const FolderTrees& trees, TFileOperation& engine) {
    if (action == FolderAction::Other) {
        notice(QStringLiteral("予定外の呼び出しです(FolderDeleteExecute)。"));
        return;
    }
    FolderTree& tree = trees.right;
    const std::string folder = tree.directory();
    if (folder.empty() || tree.currentEntry() <= 0 || folder == "/" ||
        platform().volumes->isMountPoint(folder)) {
        notice(QStringLiteral("ルートディレクトリです。"));
        return;
    }
    const std::string parent = folderPart(folder);
    IFileSystem& fs = *platform().fileSystem;
    if (!fs.directoryExists(folder)) {
        notice(displayPath(folder) + QStringLiteral("\r\nは見つかりませんでした。"));
        RefreshAfterMove(trees, parent, {});
        return;
    }
    if (const QString why = refusal(folder); !why.isEmpty()) {
        notice(why);
        return;
    }

    const bool erase = action == FolderAction::FolderErase;
    const QString verb = erase ? QStringLiteral("消去") : QStringLiteral("削除");
    const std::optional<unsigned> bits = fs.attributes(folder);
    if (bits && (*bits & attr::Hidden) &&
        MsgBox(displayPath(folder) + QStringLiteral("\r\nは隠しファイルです。\r\n\r\n") + verb +
                   QStringLiteral("してもよろしいですか?"),
               ConfirmCaption, mb::YesNo | mb::IconInformation) != id::Yes)
        return;
    if (erase) {
        notice(QStringLiteral("未対応です。"));
        return;
    }
    // The trash and its confirmation; the option set does not apply.
    if (engine.DeleteFolder(folder, false) == 1) return;
    RefreshAfterMove(trees, parent, {});
}

void Folder_Operation() { notice(QStringLiteral("使用不可")); }
