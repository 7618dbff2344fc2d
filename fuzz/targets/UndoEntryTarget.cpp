// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Undo journal files: any bytes read as an entry or refused as damaged; what
// is read encodes again to the same records.
#include "FuzzCheck.h"
#include "Targets.h"
#include "engine/UndoEntry.h"
#include "engine/UndoRecords.h"

void fuzzUndoEntry(std::string_view data) {
    UndoEntry entry;
    const EntryReadStatus status = readUndoEntry(data, entry);
    if (status != EntryReadStatus::Ok) return;
    FUZZ_CHECK(entry.validBytes <= data.size());
    FUZZ_CHECK(entry.withdrawn.size() == entry.items.size() && entry.back.size() == entry.items.size());
    // The whole records before a torn tail read back one by one.
    std::size_t pos = kUndoMagic.size();
    UndoRecord record;
    while (pos < entry.validBytes) {
        const std::size_t start = pos;
        FUZZ_CHECK(decodeUndoRecord(data.substr(0, entry.validBytes), pos, record) == DecodeStatus::Ok);
        FUZZ_CHECK(encodeUndoRecord(record) == data.substr(start, pos - start));
    }
}
