// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hierarchy/ClassKeepingOperation.h"

#include <exception>
#include <optional>

#include "bulk/ReadOnlyCopies.h"
#include "controls/FolderTree.h"
#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "engine/FileOperation.h"
#include "engine/OperationOptions.h"
#include "hierarchy/DestFolders.h"
#include "hierarchy/HierarchyPlan.h"
#include "platform/IUserDialogs.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "util/PathText.h"
#include "util/SortedPaths.h"

namespace {

const QString kErrorSite = QStringLiteral("ClassKeeping_File_Operation Error(%1)");

// The base text of the level the user chooses; nothing when the dialog was
// not closed with OK.
std::optional<std::string> chooseBase(const std::vector<std::string>& rows) {
    const std::vector<std::string> levels = FillBaseLevels(rows);
    const std::optional<int> chosen = platform().dialogs->chooseBaseLevel(levels);
    if (!chosen) return std::nullopt;
    return BaseText(levels, *chosen);
}

}  // namespace

void ClassKeeping_File_Operation(HierarchyAction action, const BulkContext& context) {
    ListRows& data = context.dataList;
    if (data.count() == 0) {
        notice(QStringLiteral("データがありませんよ!"));
        return;
    }
    data.setCurrentRow(0);
    // Checked before anything is made, so a foreign caller leaves no folders behind.
    if (action == HierarchyAction::Other) {
        notice(QStringLiteral("予定外の呼び出しです(File_Operation)。"));
        return;
    }
    const bool move = action == HierarchyAction::ClassKeepingFileMove;

    std::string base;
    try {
        const std::optional<std::string> chosen = chooseBase(data.paths().rows());
        if (!chosen) return;
        base = *chosen;
    } catch (...) {
        notice(kErrorSite.arg(1));
        return;
    }

    const std::string& destination = context.destination;
    const OperationOptions options = context.options;
    std::vector<std::string> paths;
    std::vector<std::string> targets;
    int duplicates = 0;
    try {
        paths = data.paths().rows();
        duplicates = sortDroppingDuplicates(paths);
        const std::string prefix = withTrailingSlash(destination);
        targets.reserve(paths.size());
        for (const auto& p : paths) targets.push_back(HierarchyTarget(p, base, prefix));
    } catch (...) {
        notice(kErrorSite.arg(3));
        return;
    }

    // Folders only for files that will be handed on: none for missing
    // sources, none for a list the engine refuses.
    if (options.has(OperationOption::NonConfirmMkDir) &&
        paths.size() <= std::size_t(TFileOperation::MaxEntries)) {
        try {
            std::vector<std::string> needed;
            for (std::size_t k = 0; k < paths.size(); ++k)
                if (context.engine.isExistingFile(paths[k])) needed.push_back(targets[k]);
            preMake_DestFolders(needed, destination);
        } catch (...) {
            notice(kErrorSite.arg(2));
            return;
        }
    }

    ReadOnlyCopies readOnly(context.scratch);
    try {
        if (options.has(OperationOption::ClearReadOnlyOnCopy))
            readOnly.collect(paths, [&](std::size_t k) { return targets[k]; });
        TFileOperation& engine = context.engine;
        JobOutcome outcome;
        const int notProcessed = engine.CopyMoveToTargets(paths, targets, options, move, &outcome);
        readOnly.requestDone(paths.size(), notProcessed);
        readOnly.keepDone(outcome);
        QStringList summary = countLines(duplicates, notProcessed);
        readOnly.finish(summary, options, engine);
        if (!summary.isEmpty()) notice(summary.join(QStringLiteral("\r\n")));
    } catch (...) {
        notice(kErrorSite.arg(3));
        return;
    }

    try {
        if (move) RefreshAfterMove(context.trees, destination, context.trees.left.directory());
        else RefreshFolder(context.trees, destination);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    }
}
