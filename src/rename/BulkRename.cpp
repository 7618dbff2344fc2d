// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rename/BulkRename.h"

#include "controls/PathListModel.h"
#include "engine/FileOpErrors.h"
#include "engine/IFileSystem.h"
#include "engine/PosixFileOps.h"
#include "engine/UndoItem.h"
#include "platform/BusyCursor.h"
#include "platform/IUserDialogs.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/DisplayText.h"
#include "util/PathText.h"
#include "util/Termination.h"

namespace {

NameProbe fileSystemProbe() {
    IFileSystem& fs = *platform().fileSystem;
    return {[&fs](const std::string& p) { return fs.fileExists(p); },
            [&fs](const std::string& p) { return fs.fileExists(p) || fs.directoryExists(p); }};
}

bool hasData(const PathListModel& dataList) {
    if (!dataList.empty()) return true;
    notice(QStringLiteral("データがありませんよ!"));
    return false;
}

void report(const std::vector<std::string>& paths, const RenameCounts& counts,
            const FolderTrees& trees) {
    const long long notDone = (long long)counts.missing + counts.unhandled;
    if (notDone < (long long)paths.size()) RefreshFolder(trees, folderPart(paths.front()));
    if (notDone == 0) return notice(QStringLiteral("終了しました。"));
    QString text = QString::number(notDone) + QStringLiteral("個のファイルは処理できませんでした。");
    // A mount where no rename is sure not to replace refuses every file.
    if (counts.failure == fileop_error::NoExclusiveRename)
        text += QStringLiteral("\r\n") + QString::fromStdString(fileOpErrorText(counts.failure));
    notice(text);
}

// The data list's entries in an array of its length. A copy that fails (no
// memory left) is told, and the entries not copied stay empty: no file has
// that name, so they count as missing.
std::vector<std::string> copyEntries(const PathListModel& dataList) {
    std::vector<std::string> paths;
    try {
        paths.resize(dataList.size());
        for (std::size_t i = 0; i < paths.size(); ++i) paths[i] = dataList.at(i);
    } catch (...) {
        notice(QStringLiteral("ReNameFileExecute Error"));
    }
    return paths;
}

}  // namespace

int renameRecorded(const std::string& from, const std::string& to) {
    UndoRecorder* recorder = currentUndoRecorder();
    // Recorded first: a crash right after the rename leaves it known.
    std::size_t intent = 0;
    if (recorder) {
        const FileState state = currentState(from);
        intent = recorder->record({UndoAction::Renamed, from, to, {}, state, state, 0});
    }
    const int rc = posixops::renameNoReplace(from, to);
    if (rc != 0 && recorder) recorder->withdraw(intent);
    return rc;
}

RenameCounts carryOut(const std::vector<std::string>& paths, const std::vector<PlannedName>& plan) {
    RenameCounts counts;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // A plan cut short, or the program ending: the rest stays undone.
        if (i >= plan.size() || terminationRequested()) {
            counts.unhandled = int(paths.size() - i);
            break;
        }
        const PlannedName& p = plan[i];
        if (p.step == PlannedName::Step::Missing) ++counts.missing;
        if (p.step == PlannedName::Step::Rename) counts.failure = renameRecorded(paths[i], p.target);
        if (p.step == PlannedName::Step::Fail || counts.failure) {
            counts.unhandled = int(paths.size() - i);
            break;
        }
    }
    return counts;
}

RenameCounts RenameSerially(const std::vector<std::string>& paths, const std::string& prefix,
                            const std::string& digits) {
    if (paths.empty()) return {};
    BusyCursor busy;
    const NameRule rule = serialNameRule({prefix, digits}, paths.size());
    return carryOut(paths, planRenames(paths, rule, fileSystemProbe(), terminationRequested));
}

RenameCounts ChangeExtensions(const std::vector<std::string>& paths, const std::string& extension) {
    BusyCursor busy;
    return carryOut(paths, planRenames(paths, extensionRule(extension), fileSystemProbe(), terminationRequested));
}

void ReNameAllFileExecute(const PathListModel& dataList, const FolderTrees& trees) {
    if (!hasData(dataList)) return;
    const QString answer = platform().dialogs->inputBox(
        QStringLiteral("連番でファイル名を変更します。"),
        QStringLiteral("ベースファイル名(例. ''A001'')を入力してください。"), QString());
    if (answer.isEmpty()) return;
    const BaseName base = splitBaseName(pathFromDisplay(answer));
    const std::vector<std::string> paths = copyEntries(dataList);
    if (paths.empty()) return;
    report(paths, RenameSerially(paths, base.prefix, base.digits), trees);
}

void FileExtToNewExtExecute(const PathListModel& dataList, const FolderTrees& trees) {
    if (!hasData(dataList)) return;
    QString answer = platform().dialogs->inputBox(QStringLiteral("拡張子を変更します。"),
                                                  QStringLiteral("新しい拡張子を入力してください。"),
                                                  QString());
    if (answer.size() < 2) return;
    if (!answer.startsWith(QLatin1Char('.'))) answer.prepend(QLatin1Char('.'));
    const std::vector<std::string> paths = dataList.rows();
    report(paths, ChangeExtensions(paths, pathFromDisplay(answer)), trees);
}
