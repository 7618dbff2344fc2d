// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/UndoItem.h"

// A file job: what the file-operation service is asked to do, and what it
// did with each listed item.

enum class JobKind { Copy, Move, Trash, Erase };

enum class JobOption : unsigned {
    NoConfirmation = 1u << 0,     // replace existing targets and delete without asking
    NoFolderQuestion = 1u << 1,   // create missing target folders without asking
    NoErrorUi = 1u << 2,          // failures are not shown while the job runs
    RenameOnCollision = 1u << 3,  // a taken target name becomes name_01.ext, ...
    Silent = 1u << 4,             // no progress dialog
    SimpleProgress = 1u << 5,     // progress without file names
    NoReplace = 1u << 6,          // a taken target fails the item (EEXIST): never replaced nor merged
};

// A set of job options.
class JobOptions {
public:
    JobOptions() = default;
    JobOptions(JobOption o) : bits_(unsigned(o)) {}
    JobOptions(std::initializer_list<JobOption> options) {
        for (JobOption o : options) set(o);
    }
    bool has(JobOption o) const { return (bits_ & unsigned(o)) != 0; }
    void set(JobOption o, bool on = true) { bits_ = on ? bits_ | unsigned(o) : bits_ & ~unsigned(o); }
    JobOptions operator|(JobOptions other) const { return fromBits(bits_ | other.bits_); }
    JobOptions without(JobOption o) const { return fromBits(bits_ & ~unsigned(o)); }
    bool operator==(const JobOptions&) const = default;

private:
    static JobOptions fromBits(unsigned bits) {
        JobOptions o;
        o.bits_ = bits;
        return o;
    }

    unsigned bits_ = 0;
};

struct FileJob {
    JobKind kind = JobKind::Copy;
    std::vector<std::string> sources;
    // Copy and move: every source into targetFolder under its own name, or,
    // when targets is not empty, source k to targets[k].
    std::string targetFolder;
    std::vector<std::string> targets;
    // Copy and move: when not empty, source k must still be in the state
    // expected[k] (sameState) when its turn comes; else it fails as changed
    // (fileop_error::Changed), or as gone (ENOENT), and is left alone.
    std::vector<FileState> expected;
    JobOptions options;
    std::string progressTitle;  // the progress dialog's title; empty: by kind
    // Receives every step done, for the undo journal: the recorder of the
    // command that made the job.
    UndoRecorder* recorder = currentUndoRecorder();

    // One target per source (empty for trash and erase).
    std::vector<std::string> resolvedTargets() const;
};

enum class ItemStatus {
    Done,
    Skipped,    // the user said No, or chose to skip it after a failure
    Failed,     // see reason
    Cancelled,  // the job stopped before it was done
};

struct ItemOutcome {
    ItemStatus status = ItemStatus::Done;
    int reason = 0;  // errno value or fileop_error code of its first failure
    // Copy and move: where the item went when its target's name was taken
    // by the time it was written and RenameOnCollision gave it another one
    // (empty: the target asked for).
    std::string target = {};
};

struct JobOutcome {
    std::vector<ItemOutcome> items;  // one per source, in order
    bool cancelled = false;          // the user cancelled, or the program is ending
    int firstError = 0;              // reason of the first failure, 0 when none

    std::size_t count(ItemStatus status) const;
};

inline JobOptions operator|(JobOption a, JobOption b) { return JobOptions(a) | JobOptions(b); }

// Runs file jobs: synchronous for the caller.
class FileJobRunner {
public:
    virtual ~FileJobRunner() = default;
    virtual JobOutcome run(const FileJob& job) = 0;
};
