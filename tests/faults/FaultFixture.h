// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/FileJob.h"
#include "engine/FileOperation.h"
#include "engine/OperationOptions.h"
#include "engine/PosixFileSystem.h"
#include "platform/linux/FileOperationService.h"
#include "support/TestEnvironment.h"
#include "support/core/EngineDoubles.h"
#include "support/core/TmpfsMount.h"

using Paths = std::vector<std::string>;
using Opt = OperationOption;
using Status = ItemStatus;
using Statuses = std::vector<ItemStatus>;

// What a path holds: its bytes (a file), its text (a link), its kind (a
// folder or a special file); nothing when it does not exist. FIFOs are never
// opened.
std::optional<std::string> stateOf(const std::string& path);

// What a list operation of the engine reported.
struct Report {
    JobKind kind = JobKind::Copy;
    Paths paths;
    Paths targets;  // copy and move: where the report says each path went
    JobOutcome outcome;
    int notProcessed = 0;

    Statuses statuses() const;
};

// Options that keep the service's dialogs away.
inline const OperationOptions Quiet{Opt::NonConfirmation, Opt::NonConfirmMkDir, Opt::NoErrorUi,
                                    Opt::Silent};

// The engine on the real file-operation service and real files; messages go
// to a recording double, the service's dialogs to fakeFileOpUi(), which sees
// progress at every file.
class FaultTest : public PlatformTest {
protected:
    void SetUp() override;

    // Runs the operation after remembering the state of its paths and of
    // the targets they would get (only these are remembered then).
    Report copyMove(JobKind kind, const Paths& paths, const std::string& destination,
                    OperationOptions options);
    // Path k to targets[k].
    Report toTargets(JobKind kind, const Paths& paths, const Paths& targets);
    Report remove(JobKind kind, const Paths& paths);

    // Takes the state of paths anew (after the test changed them), or
    // forgets it (no longer checked).
    void remember(const Paths& paths);
    void forget(const std::string& path) { before_.erase(path); }
    // Each item's status matches the disk: done is done (a copy beside its
    // source, a move at its target only, a deletion in the trash or gone),
    // anything else left the source and the target as they were. So every
    // remembered original is at its source or at its reported target, and
    // every other remembered path is as it was.
    void expectTruthful(const Report& report);
    // Some file in a trash holds state.
    bool trashHolds(const std::string& state) const;

    // Runs work on a thread that lacks the capabilities with which root
    // passes over permission bits, so that they apply to it as to any owner;
    // the service's dialogs are served here meanwhile. false when they still
    // do not apply.
    bool asPlainOwner(const std::function<void()>& work);
    // The operations run their engine call as a plain owner; false when the
    // permission bits did not apply to it.
    bool asOwner = false;
    bool ownerRulesApplied = true;
    // Runs after the paths were remembered, before the operation (taking
    // away the permissions that the test itself needs to read them).
    std::function<void()> prepare;

    FileOperationService service;
    RecordingEngineUi ui;
    PosixFileSystem fs;
    TFileOperation engine{ui, service, fs};
    TempDir dir;
    Paths trashes;  // trash folders besides the home's

private:
    void runEngine(const std::function<void()>& call);

    std::map<std::string, std::optional<std::string>> before_;
};
