// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The undo journal of the window: opening it, recording every command into
// it, and the undo and redo actions.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QRegularExpression>

#include "app/CommandGuard.h"
#include "app/CopyForm.h"
#include "bulk/PaneRefresh.h"
#include "controls/DirectoryListBox.h"
#include "engine/UndoJournal.h"
#include "platform/Messages.h"
#include "undo/UndoCommands.h"
#include "undo/UndoTexts.h"
#include "util/DisplayText.h"

namespace {

// The command's name as the journal keeps it: the caption without its
// accelerator.
std::string commandName(const QAction* a) {
    QString text = a->text();
    text.remove(QRegularExpression(QStringLiteral("\\s*[(（]\\s*&?\\w\\s*[)）]\\s*$")));
    text.remove(QLatin1Char('&'));
    return text.toStdString();
}

// One command's entry, ended however the command ends.
class RecordedCommand {
public:
    RecordedCommand(UndoJournal& journal, const std::string& name)
        : journal_(journal), current_((journal.beginCommand(name), journal.recorder())) {}
    ~RecordedCommand() { journal_.endCommand(); }

private:
    UndoJournal& journal_;
    CurrentUndoRecorder current_;
};

}  // namespace

void TCopyForm::openJournal() {
    Journal = std::make_unique<UndoJournal>(UndoJournal::defaultFolder());
    journalSetAside_ = Journal->load();
}

void TCopyForm::createUndoActions() {
    // Kept apart from the table of the window's own actions.
    auto* holder = new QObject(this);
    holder->setObjectName(QStringLiteral("UndoActions"));
    UndoAction = new QAction(QStringLiteral("元に戻す(&U)"), holder);
    UndoAction->setObjectName(QStringLiteral("Undo"));
    UndoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoAction = new QAction(QStringLiteral("やり直し(&R)"), holder);
    RedoAction->setObjectName(QStringLiteral("Redo"));
    RedoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    for (QAction* a : {UndoAction, RedoAction}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
}

void TCopyForm::bindUndo() {
    auto context = [this]() -> UndoContext { return {*Journal, trees()}; };
    connect(UndoAction, &QAction::triggered, this, [this, context] {
        RunGuarded([&] { UndoExecute(context()); });
        updateUndoActions();
    });
    connect(RedoAction, &QAction::triggered, this, [this, context] {
        RunGuarded([&] { RedoExecute(context()); });
        updateUndoActions();
    });
    connect(FileOperationPopupMenu, &QMenu::aboutToShow, this, [this] { updateUndoActions(); });
    updateUndoActions();
}

void TCopyForm::updateUndoActions() {
    if (!UndoAction || !Journal) return;
    const std::optional<UndoEntryInfo> undo = Journal->nextUndo();
    const std::optional<UndoEntryInfo> redo = Journal->nextRedo();
    UndoAction->setEnabled(undo.has_value());
    RedoAction->setEnabled(redo.has_value());
    UndoAction->setStatusTip(undo ? entryTitle(*undo) : QString());
    RedoAction->setStatusTip(redo ? entryTitle(*redo) : QString());
}

void TCopyForm::runRecorded(QAction* a, const std::function<void()>& command) {
    if (!Journal) {
        command();
        return;
    }
    {
        RecordedCommand recorded(*Journal, commandName(a));
        command();
    }
    updateUndoActions();
    if (Journal->takeWriteFailure())
        notice(QStringLiteral("操作の記録を保存できませんでした。\r\nこの操作は元に戻せないことがあります。\r\n") +
               displayPath(Journal->folder()));
}
