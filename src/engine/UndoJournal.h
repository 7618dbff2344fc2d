// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/UndoEntry.h"
#include "engine/UndoItem.h"
#include "util/UniqueFd.h"

// The undo journal: one file per command that changed the disk, in a folder
// of its own, kept across restarts. Each item is appended as its step is
// done (write(), so a killed program loses nothing written), and flushed to
// the device where the engine flushes anyway and when the command ends.
// Undo and redo append their results to the entry's file.
struct UndoEntryInfo {
    std::uint64_t seq = 0;
    std::string path;
    std::string command;
    std::int64_t time = 0;
    std::size_t items = 0;
    bool undone = false;
};

class UndoJournal {
public:
    static constexpr std::size_t MaxEntries = 20;
    static constexpr std::size_t MaxItems = 1000000;

    explicit UndoJournal(std::string folder, std::size_t maxEntries = MaxEntries,
                         std::size_t maxItems = MaxItems);
    ~UndoJournal();
    UndoJournal(const UndoJournal&) = delete;
    UndoJournal& operator=(const UndoJournal&) = delete;

    // $XDG_STATE_HOME/dorvanquellis/undo ($HOME/.local/state when unset).
    static std::string defaultFolder();
    const std::string& folder() const { return folder_; }

    // Reads the entries of the folder. A damaged file is renamed aside
    // (NAME.damaged); the new names are returned.
    std::vector<std::string> load();
    // Oldest first.
    std::vector<UndoEntryInfo> entries() const;
    // The entry an undo would undo: the newest not undone.
    std::optional<UndoEntryInfo> nextUndo() const;
    // The entry a redo would redo: the oldest of the undone ones after the
    // newest not undone.
    std::optional<UndoEntryInfo> nextRedo() const;
    // Reads the entry's file; a damaged one is set aside (asideAs: its new
    // name) and false returned.
    bool read(const UndoEntryInfo& info, UndoEntry& entry, std::string* asideAs = nullptr);

    // What is recorded between the two forms one entry named command; none
    // when nothing is. The first item drops the undone entries (they can no
    // longer be redone) and the oldest beyond the limits.
    void beginCommand(const std::string& command);
    void endCommand();
    // During a command: the recorder its steps report to.
    UndoRecorder* recorder();

    // Results of an undo (or redo) of the entry read into entry.
    class Phase {
    public:
        virtual ~Phase() = default;
        // back: the item is now undone.
        virtual void result(std::size_t index, const UndoItem& item, bool back) = 0;
        virtual void flush() = 0;
    };
    std::unique_ptr<Phase> beginPhase(const UndoEntryInfo& info, const UndoEntry& entry, bool undo);

    // A write or flush of the journal failed since the last call.
    bool takeWriteFailure();

private:
    class CommandRecorder;
    class PhaseWriter;
    friend class CommandRecorder;
    friend class PhaseWriter;

    // Opens the new entry's file and makes room; false on failure.
    bool startEntry(std::size_t firstItems);
    void makeRoom(std::size_t entriesToAdd, std::size_t itemsToAdd, std::uint64_t keep);
    void removeEntry(std::size_t index);
    bool writeRecord(int fd, const std::string& bytes);
    void setAside(const std::string& path, std::string* asideAs);

    std::string folder_;
    std::size_t maxEntries_;
    std::size_t maxItems_;
    mutable std::mutex mutex_;
    std::vector<UndoEntryInfo> entries_;
    std::uint64_t nextSeq_ = 1;
    bool writeFailed_ = false;
    std::unique_ptr<CommandRecorder> command_;
};
