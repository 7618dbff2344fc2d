// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "engine/FileJob.h"
#include "engine/UndoRunner.h"

// One undo or redo of an entry: its stages, each acting on the items of its
// kind that are on the side the run starts from. A stage returns false when
// the user cancelled: the stages after it do nothing.
struct UndoRun {
    const UndoEntry& entry;
    UndoJournal::Phase& phase;
    const UndoServices& services;
    bool undo;
    UndoResult result{};

    void attributes();
    void renames();
    bool transfers();
    // Folders the transfers made: the undo removes them (and makes again
    // those a move emptied); the redo makes them (second: removes the
    // sources a move emptied, after the transfers).
    void madeFolders(bool second);
    bool trash();
    void newFolders();
    void removedFolders();

    // The items of these actions this run acts on, in its order (reversed:
    // from the last).
    std::vector<std::size_t> select(std::initializer_list<UndoAction> actions, bool reversed) const;
    std::vector<std::size_t> select(std::initializer_list<UndoAction> actions) const {
        return select(actions, undo);
    }
    void refuse(const std::string& path, const std::string& reason);
    // Makes path a folder where nothing is (now: what is there); false, and
    // refused with taken, where something else is, or when it cannot.
    bool folderAt(const std::string& path, const FileState& now, const std::string& taken);
    // Item i is done, updated as it is now.
    void done(std::size_t i, const UndoItem& updated);
    // An undone move the engine failed (reason): refused with the reason
    // found, or, where the source had stayed, its copy removed.
    void moveNotTaken(std::size_t i, int reason);
    // Runs one engine job for items (source k to targets[k], in the state
    // expected[k] if given); false when it was cancelled. A failed item
    // goes to failed when given, else it is refused with the engine's reason.
    bool runJob(JobKind kind, const std::vector<std::size_t>& items, const std::vector<std::string>& sources,
                const std::vector<std::string>& targets, const std::vector<FileState>& expected = {},
                const std::function<void(std::size_t, int)>& failed = {});
};
