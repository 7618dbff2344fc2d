// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/UndoItem.h"

// One command of the undo journal as its file tells it now: the items as
// the last undo or redo left them.
struct UndoEntry {
    std::string command;
    std::int64_t time = 0;
    std::vector<UndoItem> items;
    std::vector<bool> withdrawn;  // per item: its step did not happen
    std::vector<bool> back;       // per item: undone by the last undo
    bool undone = false;          // the last phase was an undo
    bool truncated = false;       // the command did more than was kept
    std::size_t validBytes = 0;   // the file's bytes before a torn record

    // Items whose step happened.
    std::size_t count() const;
};

enum class EntryReadStatus { Ok, Empty, Damaged };

// Replays the records of data (a whole entry file) into entry. A torn last
// record is dropped; any other fault makes the file damaged. Empty: the
// file ends before its header (a crash as it was made).
EntryReadStatus readUndoEntry(std::string_view data, UndoEntry& entry);
