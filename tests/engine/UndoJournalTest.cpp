// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "engine/UndoEntry.h"
#include "engine/UndoJournal.h"
#include "engine/UndoRecords.h"
#include "support/core/TestFiles.h"
#include "util/IniFileIo.h"

namespace {

UndoItem itemOf(UndoAction action, const std::string& from, const std::string& to = {}) {
    UndoItem item{action, from, to, {}, {}, {}, 0};
    item.after.mode = S_IFREG | 0644;
    item.after.ino = 42;
    return item;
}

UndoRecord recordOf(UndoRecordType type) {
    UndoRecord r;
    r.type = type;
    return r;
}

// Records n items named prefix0, prefix1 ... as one command.
void recordCommand(UndoJournal& journal, const std::string& name, int n) {
    journal.beginCommand(name);
    for (int i = 0; i < n; ++i) journal.recorder()->record(itemOf(UndoAction::Copied, name + std::to_string(i)));
    journal.endCommand();
}

std::vector<std::string> commandsOf(const UndoJournal& journal) {
    std::vector<std::string> names;
    for (const UndoEntryInfo& e : journal.entries()) names.push_back(e.command);
    return names;
}

std::string entryBytes(int items) {
    std::string bytes(kUndoMagic);
    UndoRecord header = recordOf(UndoRecordType::Header);
    header.command = "一括移動";
    bytes += encodeUndoRecord(header);
    for (int i = 0; i < items; ++i) {
        UndoRecord r = recordOf(UndoRecordType::Item);
        r.item = itemOf(UndoAction::Moved, "/a/" + std::to_string(i), "/b/" + std::to_string(i));
        bytes += encodeUndoRecord(r);
    }
    return bytes;
}

}  // namespace

TEST(UndoRecordsTest, EveryRecordReadsBackAsWritten) {
    // Paths are bytes: newlines, NULs and invalid UTF-8 included.
    UndoRecord header = recordOf(UndoRecordType::Header);
    header.command = "ファイル名の一括変更";
    header.time = 1767225600;
    UndoRecord item = recordOf(UndoRecordType::Item);
    item.item = itemOf(UndoAction::Trashed, std::string("/a\nb\0c\xff", 8), "/t/files/x");
    item.item.extra = "/t/info/x.trashinfo";
    item.item.before = {1, 2, 3, -4, 999999999, S_IFDIR | 0755, false};
    item.item.flags = undoflag::Replaced | undoflag::Hidden;
    UndoRecord withdraw = recordOf(UndoRecordType::Withdraw);
    withdraw.index = 1ull << 40;
    UndoRecord result = recordOf(UndoRecordType::Result);
    result.index = 7;
    result.back = true;
    result.item = itemOf(UndoAction::Attribute, "", "/x");
    UndoRecord undo = recordOf(UndoRecordType::Undo);
    undo.time = 5;
    const UndoRecord records[] = {header, item, withdraw, result, undo, recordOf(UndoRecordType::Redo),
                                  recordOf(UndoRecordType::Truncated)};
    std::string bytes;
    for (const UndoRecord& r : records) bytes += encodeUndoRecord(r);
    std::size_t pos = 0;
    for (const UndoRecord& expected : records) {
        UndoRecord read;
        ASSERT_EQ(decodeUndoRecord(bytes, pos, read), DecodeStatus::Ok);
        EXPECT_EQ(read, expected);
    }
    UndoRecord none;
    EXPECT_EQ(decodeUndoRecord(bytes, pos, none), DecodeStatus::End);
}

TEST(UndoRecordsTest, ATornLastRecordIsDroppedWhereverItWasCut) {
    const std::string whole = entryBytes(3);
    const std::size_t lastStart = entryBytes(2).size();
    for (std::size_t cut = lastStart; cut < whole.size(); ++cut) {
        for (const std::string& tail : {std::string(), std::string(64, '\0')}) {
            // Zeros after the cut that are the record's own last bytes make it whole.
            if ((whole.substr(0, cut) + tail).compare(0, whole.size(), whole) == 0) continue;
            UndoEntry entry;
            ASSERT_EQ(readUndoEntry(whole.substr(0, cut) + tail, entry), EntryReadStatus::Ok) << cut;
            EXPECT_EQ(entry.items.size(), 2u) << cut;
            EXPECT_EQ(entry.validBytes, lastStart) << cut;
        }
    }
    UndoEntry entry;
    EXPECT_EQ(readUndoEntry(whole, entry), EntryReadStatus::Ok);
    EXPECT_EQ(entry.items.size(), 3u);
}

TEST(UndoRecordsTest, DamageBeforeTheLastRecordOrAWrongStartIsDamage) {
    std::string flipped = entryBytes(3);
    flipped[entryBytes(1).size() + 12] ^= 0x20;  // inside the second item
    std::string bigLength = entryBytes(3);
    bigLength[entryBytes(1).size() + 3] = '\x7f';  // the second item claims 2 GiB
    UndoEntry entry;
    EXPECT_EQ(readUndoEntry(flipped, entry), EntryReadStatus::Damaged);
    EXPECT_EQ(readUndoEntry("NOTUNDO" + entryBytes(1).substr(7), entry), EntryReadStatus::Damaged);
    EXPECT_EQ(readUndoEntry(std::string(kUndoMagic).substr(0, 3), entry), EntryReadStatus::Empty);
    // A length beyond the file's end can only be a torn last record.
    EXPECT_EQ(readUndoEntry(bigLength, entry), EntryReadStatus::Ok);
    EXPECT_EQ(entry.items.size(), 1u);
}

TEST(UndoJournalTest, KeepsTheNewestEntriesWithinItsLimits) {
    TempDir dir;
    UndoJournal journal(dir / "undo", 3, 10);
    for (const char* name : {"A", "B", "C", "D", "E"}) recordCommand(journal, name, 2);
    EXPECT_EQ(commandsOf(journal), (std::vector<std::string>{"C", "D", "E"}));
    recordCommand(journal, "F", 7);  // C goes for the fourth entry, D for the eleventh item
    EXPECT_EQ(commandsOf(journal), (std::vector<std::string>{"E", "F"}));
    recordCommand(journal, "G", 12);  // alone beyond the limit: cut short
    EXPECT_EQ(commandsOf(journal), (std::vector<std::string>{"G"}));
    UndoEntry entry;
    ASSERT_TRUE(journal.read(journal.entries().back(), entry));
    EXPECT_EQ(entry.items.size(), 10u);
    EXPECT_TRUE(entry.truncated);
    UndoJournal reopened(dir / "undo", 3, 10);
    EXPECT_TRUE(reopened.load().empty());
    EXPECT_EQ(commandsOf(reopened), (std::vector<std::string>{"G"}));
}

TEST(UndoJournalTest, UndoAndRedoWalkTheEntriesAndANewCommandDropsTheUndone) {
    TempDir dir;
    UndoJournal journal(dir / "undo");
    for (const char* name : {"A", "B", "C"}) recordCommand(journal, name, 1);
    recordCommand(journal, "nothing", 0);  // a command that changed nothing leaves no entry
    auto phase = [&](bool undo) {
        const auto info = undo ? journal.nextUndo() : journal.nextRedo();
        UndoEntry entry;
        ASSERT_TRUE(info && journal.read(*info, entry));
        journal.beginPhase(*info, entry, undo);
    };
    phase(true);
    phase(true);
    EXPECT_EQ(journal.nextUndo()->command, "A");
    EXPECT_EQ(journal.nextRedo()->command, "B");
    phase(false);
    EXPECT_EQ(journal.nextUndo()->command, "B");
    EXPECT_EQ(journal.nextRedo()->command, "C");
    UndoJournal reopened(dir / "undo");
    reopened.load();
    EXPECT_EQ(reopened.nextRedo()->command, "C");
    recordCommand(reopened, "D", 1);
    EXPECT_EQ(commandsOf(reopened), (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_FALSE(reopened.nextRedo());
}

TEST(UndoJournalTest, AKilledCommandKeepsItsItemsAndADamagedFileIsSetAside) {
    TempDir dir;
    {
        UndoJournal journal(dir / "undo");
        journal.beginCommand("一括移動");
        for (int i = 0; i < 3; ++i) journal.recorder()->record(itemOf(UndoAction::Moved, "/a" + std::to_string(i)));
        // No end, no flush: the program is killed here, mid-record.
        const std::string path = journal.entries().back().path;
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "\x40\x00\x00\x00\x01", 5), 5);
        ::close(fd);
    }
    dir.write("undo/0000000009.undo", entryBytes(3).replace(30, 1, "?"));
    UndoJournal journal(dir / "undo");
    const std::vector<std::string> aside = journal.load();
    ASSERT_EQ(aside, std::vector<std::string>{dir / "undo/0000000009.undo.damaged"});
    EXPECT_TRUE(exists(aside[0]));
    ASSERT_EQ(journal.entries().size(), 1u);
    const UndoEntryInfo info = journal.entries()[0];
    EXPECT_EQ(info.items, 3u);
    UndoEntry entry;
    ASSERT_TRUE(journal.read(info, entry));
    // The undo's records go after the last whole one.
    journal.beginPhase(info, entry, true)->result(2, entry.items[2], true);
    ASSERT_TRUE(journal.read(info, entry));
    EXPECT_TRUE(entry.undone);
    EXPECT_EQ(entry.back, (std::vector<bool>{false, false, true}));
    // The next entry is numbered after the damaged one.
    recordCommand(journal, "B", 1);
    EXPECT_EQ(journal.entries().back().path, dir / "undo/0000000010.undo");
}
