// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "SoakDialogs.h"
#include "engine/FileOperation.h"
#include "engine/PosixFileSystem.h"
#include "platform/linux/FileOperationService.h"

struct SoakFigures {
    long long sequences = 0;
    long long operations = 0;
    long long filesChecked = 0;
    long long findings = 0;
};

// Random sequences of copy, move, per-file copy and move, trash, erase,
// rename and attribute commands on generated trees, through the engine and
// the real service. A ledger says where every original file's content must
// be; it follows only what the commands report (never a new look at the
// disk), and after each command the disk must match it exactly: every
// ledger entry in place, no file it does not know, the trash holding what
// was trashed.
class Soak {
public:
    // Trees go below work, and below other (a second file system) when it
    // is not empty. Findings, with the steps that led to them, go to log;
    // with trace, every step.
    Soak(std::string work, std::string other, std::ostream& log, bool trace = false);

    // One sequence; its seed alone replays it.
    void runSequence(std::uint64_t seed);
    const SoakFigures& figures() const { return figures_; }

private:
    using Hash = std::uint64_t;
    using Paths = std::vector<std::string>;

    void generate();
    void step();
    Paths pickList();
    std::string pickFolder();
    void transfer(bool move, const Paths& list);
    void transferToTargets(bool move, const Paths& list);
    // Checks a transfer's counts and moves the ledger entries of the items
    // done to where they went.
    // Checks that the outcome has one item per entry and calls done(k, hash)
    // for each item reported done, after taking its source from the ledger.
    void takeDone(const Paths& list, const JobOutcome& outcome,
                  const std::function<void(std::size_t, Hash)>& done);
    // A target replaced that no answer allowed (nor noConfirmation), or
    // that the job itself had written, is a finding.
    void settle(bool move, const Paths& list, std::size_t missing, int notProcessed,
                const JobOutcome& outcome, const std::function<std::string(std::size_t)>& wentTo,
                bool noConfirmation);
    void remove(bool erase, const Paths& list);
    void rename(const Paths& list);
    void attribute(const Paths& list);
    void verify();
    // Files and links below root that the ledger does not know.
    void scanForStrangers(const std::string& root);
    void finding(const std::string& what);
    // line with the trees' roots cut short.
    std::string shortened(std::string line) const;

    std::string work_, other_;
    std::ostream& log_;
    bool trace_;
    Dice dice_;
    RandomFileOpUi dialogs_{dice_};
    RandomEngineUi messages_{dice_};
    FileOperationService service_;
    PosixFileSystem fs_;
    TFileOperation engine_{messages_, service_, fs_};

    std::uint64_t seed_ = 0;
    std::vector<std::string> steps_;  // of this sequence, for a finding
    bool reported_ = false;           // the steps were written already
    Paths folders_;                   // of this sequence's tree
    std::map<std::string, Hash> ledger_;  // where each content must be
    std::multiset<Hash> trashed_;         // contents a trash must hold
    SoakFigures figures_;
};
