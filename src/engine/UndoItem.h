// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/stat.h>

// What a command did to one object, as the undo journal keeps it, and the
// recorder through which the engine and the commands report it.

// The state an object was left in: enough to tell later whether it is still
// the same one, unchanged.
struct FileState {
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    std::uint64_t size = 0;
    std::int64_t mtimeSec = 0;
    std::int64_t mtimeNsec = 0;
    std::uint32_t mode = 0;        // 0: nothing was there
    bool stableIdentity = true;    // the inode number may be compared

    bool present() const { return mode != 0; }
    bool isFolder() const { return S_ISDIR(mode); }
    bool operator==(const FileState&) const = default;
};

FileState fileStateOf(const struct stat& st, bool stableIdentity = true);
// The object at path now (not followed); an absent state when nothing is there.
FileState currentState(const std::string& path);
// now is the object that was left as was: same device, kind and (where
// stable) inode; a file also with the same size and modification time.
bool sameState(const FileState& was, const FileState& now);
// now is the same object as was, whatever its content (device, inode, kind).
bool sameObjectState(const FileState& was, const FileState& now);

enum class UndoAction : std::uint8_t {
    Copied = 1,      // from copied to to
    Moved,           // from moved to to (before: the source as moved)
    FolderMade,      // a transfer made folder to for folder from (flag Move)
    Trashed,         // from went to the trash as to; extra: its .trashinfo
    Renamed,         // from renamed to to
    NewFolder,       // folder to made
    RemovedFolder,   // empty folder from removed
    Attribute,       // attribute of to changed (flags: bit and on)
    Erased,          // from erased for good: not undoable
};

namespace undoflag {
inline constexpr std::uint32_t Replaced = 1u << 0;   // the transfer replaced what was at to
inline constexpr std::uint32_t Move = 1u << 1;       // FolderMade: by a move
inline constexpr std::uint32_t On = 1u << 2;         // Attribute: the bit was set
inline constexpr std::uint32_t Hidden = 1u << 3;     // Attribute: the hidden bit (else read-only)
}  // namespace undoflag

struct UndoItem {
    UndoAction action = UndoAction::Copied;
    std::string from;
    std::string to;
    std::string extra;
    FileState before;  // the object at from before the command
    FileState after;   // the object at to as the command left it
    std::uint32_t flags = 0;

    bool operator==(const UndoItem&) const = default;
};

// Receives what a command did, item by item, as it goes. Thread-safe for one
// writer at a time (the engine's worker, or the user-interface thread).
class UndoRecorder {
public:
    virtual ~UndoRecorder() = default;
    // Keeps item; its index in the entry. Recorded before a rename, after
    // any other step.
    virtual std::size_t record(const UndoItem& item) = 0;
    // The step of a recorded item did not happen after all.
    virtual void withdraw(std::size_t index) = 0;
    // What was recorded is on the device when this returns.
    virtual void flush() = 0;
};

// The recorder of the command now running (none: nothing is recorded).
UndoRecorder* currentUndoRecorder();

// Makes recorder the current one for the lifetime of the object.
class CurrentUndoRecorder {
public:
    explicit CurrentUndoRecorder(UndoRecorder* recorder);
    ~CurrentUndoRecorder();
    CurrentUndoRecorder(const CurrentUndoRecorder&) = delete;
    CurrentUndoRecorder& operator=(const CurrentUndoRecorder&) = delete;

private:
    UndoRecorder* saved_;
};
