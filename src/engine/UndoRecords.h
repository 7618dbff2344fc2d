// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/UndoItem.h"

// The records of an undo journal file, encoded and decoded. Pure. A file is
// the magic text, then records: a header, one record per item as the command
// went, and for every later undo or redo a phase record followed by one
// result per item it undid or redid. Each record carries its length and a
// CRC-32 of its bytes, so a record cut short by a crash is told from a
// damaged file: only the last record may fail its check.

inline constexpr std::string_view kUndoMagic = "DVUNDO1\n";

enum class UndoRecordType : std::uint8_t {
    Header = 'H',    // command, time
    Item = 'I',      // item
    Withdraw = 'X',  // index: that item's step did not happen
    Undo = 'U',      // time: the items after it were undone
    Redo = 'R',      // time: the items after it were redone
    Result = 'r',    // index, back, item: that item as the undo or redo left it
    Truncated = 'T', // the command did more than the journal keeps
};

struct UndoRecord {
    UndoRecordType type = UndoRecordType::Item;
    std::string command;      // Header
    std::int64_t time = 0;    // Header, Undo, Redo: seconds since the epoch
    std::uint64_t index = 0;  // Withdraw, Result
    bool back = false;        // Result: the item is undone
    UndoItem item;            // Item, Result

    bool operator==(const UndoRecord&) const = default;
};

// The record's bytes as written to the file.
std::string encodeUndoRecord(const UndoRecord& record);

enum class DecodeStatus {
    Ok,       // record read, pos moved past it
    End,      // no bytes left
    Torn,     // the last record is incomplete or fails its check
    Damaged,  // a record before the last fails its check, or makes no sense
};
// Reads the record at pos of data.
DecodeStatus decodeUndoRecord(std::string_view data, std::size_t& pos, UndoRecord& out);
