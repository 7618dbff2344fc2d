// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "engine/UndoJournal.h"
#include "engine/UndoRunner.h"

// The texts of undo and redo.

// The question before an undo (or redo) of the entry: its command, time and
// item count.
QString undoQuestion(const UndoEntryInfo& info, bool undo);
// The report after one: empty when every item was done.
QString undoReport(const UndoResult& result, bool undo);
// The notice about an entry that cannot be undone (an erase).
QString notUndoableText(const UndoEntryInfo& info);
// The entry's command and time, as the menu item's tip shows it.
QString entryTitle(const UndoEntryInfo& info);
