// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/UndoEntry.h"

#include <algorithm>

#include "engine/UndoRecords.h"

std::size_t UndoEntry::count() const {
    return std::size_t(std::count(withdrawn.begin(), withdrawn.end(), false));
}

EntryReadStatus readUndoEntry(std::string_view data, UndoEntry& entry) {
    entry = {};
    // A crash right after the file was made leaves it short of its header.
    if (data.size() < kUndoMagic.size() && kUndoMagic.substr(0, data.size()) == data)
        return EntryReadStatus::Empty;
    if (data.substr(0, kUndoMagic.size()) != kUndoMagic) return EntryReadStatus::Damaged;
    std::size_t pos = kUndoMagic.size();
    UndoRecord r;
    bool header = false;
    for (;;) {
        entry.validBytes = pos;
        const DecodeStatus status = decodeUndoRecord(data, pos, r);
        if (status == DecodeStatus::End || status == DecodeStatus::Torn) break;
        if (status == DecodeStatus::Damaged) return EntryReadStatus::Damaged;
        if (!header && r.type != UndoRecordType::Header) return EntryReadStatus::Damaged;
        switch (r.type) {
            case UndoRecordType::Header:
                if (header) return EntryReadStatus::Damaged;
                header = true;
                entry.command = std::move(r.command);
                entry.time = r.time;
                break;
            case UndoRecordType::Item:
                entry.items.push_back(std::move(r.item));
                entry.withdrawn.push_back(false);
                entry.back.push_back(false);
                break;
            case UndoRecordType::Withdraw:
                if (r.index >= entry.items.size()) return EntryReadStatus::Damaged;
                entry.withdrawn[r.index] = true;
                break;
            case UndoRecordType::Undo:
            case UndoRecordType::Redo: entry.undone = r.type == UndoRecordType::Undo; break;
            case UndoRecordType::Result:
                if (r.index >= entry.items.size()) return EntryReadStatus::Damaged;
                entry.items[r.index] = std::move(r.item);
                entry.back[r.index] = r.back;
                break;
            case UndoRecordType::Truncated: entry.truncated = true; break;
        }
    }
    if (!header) return entry.validBytes == kUndoMagic.size() ? EntryReadStatus::Empty : EntryReadStatus::Damaged;
    return EntryReadStatus::Ok;
}
