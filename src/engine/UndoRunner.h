// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/UndoEntry.h"
#include "engine/UndoJournal.h"

class EngineUi;
class FileJobRunner;
class IFileSystem;

// Undo and redo of one journal entry. Each item is checked first: the object
// is still the one the command (or the last undo or redo) left, and the place
// it goes to is free. An item that fails its check is left alone and listed
// with the reason; a copy changed since it was made is removed only after a
// Yes. Moves and copies run as jobs of the engine (never replacing, never
// merging); every item's result goes to the journal as it is done.

struct UndoRefusal {
    std::string path;
    std::string reason;  // Japanese UTF-8
};

struct UndoResult {
    std::size_t done = 0;
    std::vector<UndoRefusal> refused;
    bool cancelled = false;
};

struct UndoServices {
    FileJobRunner& runner;
    IFileSystem& fileSystem;  // attributes
    EngineUi& ui;             // the question about a changed copy
};

// The undo runs its stages in this order, the redo in the opposite one:
// attributes, renames, moves and copies, folders the transfers made, the
// trash, new folders, removed folders. Within a stage the undo goes from
// the last item to the first, the redo from the first to the last.
UndoResult undoEntry(const UndoEntry& entry, UndoJournal::Phase& phase, const UndoServices& services);
UndoResult redoEntry(const UndoEntry& entry, UndoJournal::Phase& phase, const UndoServices& services);

// The entry holds nothing an undo could act on (an erase).
bool onlyErased(const UndoEntry& entry);
