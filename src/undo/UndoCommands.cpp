// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "undo/UndoCommands.h"

#include "controls/FolderTree.h"
#include "engine/UndoJournal.h"
#include "engine/UndoRunner.h"
#include "platform/BusyCursor.h"
#include "platform/EngineAdapters.h"
#include "platform/Messages.h"
#include "undo/UndoTexts.h"
#include "util/DisplayText.h"

namespace {

void run(const UndoContext& context, bool undo) {
    UndoJournal& journal = context.journal;
    const std::optional<UndoEntryInfo> info = undo ? journal.nextUndo() : journal.nextRedo();
    if (!info) {
        notice(undo ? QStringLiteral("元に戻せる操作はありません。") : QStringLiteral("やり直せる操作はありません。"));
        return;
    }
    UndoEntry entry;
    std::string aside;
    if (!journal.read(*info, entry, &aside)) {
        notice(QStringLiteral("操作の記録が壊れていたので使わずに、次の名前で残しました。\r\n") + displayPath(aside));
        return;
    }
    if (undo && onlyErased(entry)) {
        notice(notUndoableText(*info));
        journal.beginPhase(*info, entry, true);
        return;
    }
    if (!askYesNo(undoQuestion(*info, undo))) return;
    std::unique_ptr<UndoJournal::Phase> phase = journal.beginPhase(*info, entry, undo);
    if (!phase) {
        notice(QStringLiteral("操作の記録に書き込めないので中止しました。"));
        return;
    }
    const UndoServices services{platformJobRunner(), platformFileSystem(), platformEngineUi()};
    UndoResult result;
    {
        BusyCursor busy;
        result = undo ? undoEntry(entry, *phase, services) : redoEntry(entry, *phase, services);
    }
    phase.reset();
    const QString report = undoReport(result, undo);
    if (report.isEmpty())
        notice(undo ? QStringLiteral("元に戻しました。") : QStringLiteral("やり直しました。"));
    else
        ShowErrorReport(report);
    RefreshFolder(context.trees, context.trees.right.directory());
    RefreshFolder(context.trees, context.trees.left.directory());
}

}  // namespace

void UndoExecute(const UndoContext& context) { run(context, true); }

void RedoExecute(const UndoContext& context) { run(context, false); }
