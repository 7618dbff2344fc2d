// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bulk/BulkOperations.h"

#include <exception>

#include <QStringList>

#include "bulk/ReadOnlyCopies.h"
#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "engine/FileOperation.h"
#include "engine/OperationOptions.h"
#include "platform/MessageBoxIds.h"
#include "platform/Messages.h"
#include "util/PathText.h"
#include "util/SortedPaths.h"

namespace {

enum class Operation { Copy, Move, Delete, Erase };

}  // namespace

void File_Operation(BulkAction action, const BulkContext& context) {
    ListRows& data = context.dataList;
    if (data.count() == 0) {
        notice(QStringLiteral("データがありませんよ!"));
        return;
    }
    data.setCurrentRow(0);

    Operation op;
    switch (action) {
        case BulkAction::FileCopy: op = Operation::Copy; break;
        case BulkAction::FileMove: op = Operation::Move; break;
        case BulkAction::FileDelete: op = Operation::Delete; break;
        case BulkAction::FileErase: op = Operation::Erase; break;
        default:
            notice(QStringLiteral("予定外の呼び出しです(File_Operation)。"));
            return;
    }
    const bool copyOrMove = op == Operation::Copy || op == Operation::Move;

    ReadOnlyCopies readOnly(context.scratch);
    const std::string& destination = context.destination;
    std::string sourceFolder;
    try {
        std::vector<std::string> paths = data.paths().rows();
        const int duplicates = sortDroppingDuplicates(paths);
        const OperationOptions options = context.options;
        sourceFolder = folderPart(paths.back());
        // The tree never ends a folder with "/" except the root itself.
        if (copyOrMove && options.has(OperationOption::ClearReadOnlyOnCopy)) {
            const std::string prefix = withTrailingSlash(destination);
            readOnly.collect(paths, [&](std::size_t k) { return prefix + fileNamePart(paths[k]); });
        }

        TFileOperation& engine = context.engine;
        int notProcessed = 0;
        if (copyOrMove) {
            std::vector<std::string> usedTargets;
            JobOutcome outcome;
            notProcessed = engine.CopyMoveFiles(paths, options, op == Operation::Move,
                                                destination, &usedTargets, &outcome);
            // Renamed copies: clear the attribute where the copies really went.
            readOnly.retarget(usedTargets);
            readOnly.keepDone(outcome);
            readOnly.requestDone(paths.size(), notProcessed);
        } else {
            if (op == Operation::Erase &&
                MsgBox(QStringLiteral("ファイルを消去します。"), ConfirmCaption,
                             mb::YesNo | mb::IconInformation) != id::Yes)
                return;
            notProcessed = engine.DeleteFiles(paths, op == Operation::Erase);
        }

        QStringList summary = countLines(duplicates, notProcessed);
        readOnly.finish(summary, options, engine);
        if (!summary.isEmpty()) notice(summary.join(QStringLiteral("\r\n")));
    } catch (...) {
        notice(QStringLiteral("File_Operation"));
        return;
    }

    try {
        if (op == Operation::Copy) RefreshFolder(context.trees, destination);
        else if (op == Operation::Move) RefreshAfterMove(context.trees, destination, sourceFolder);
        else RefreshFolder(context.trees, sourceFolder);
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
    }
}
