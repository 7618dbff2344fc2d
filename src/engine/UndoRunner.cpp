// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Undo and redo: the run of one entry, its stages, and the transfers it
// hands to the engine.
#include "engine/UndoRunner.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/FileJob.h"
#include "engine/FileOpErrors.h"
#include "engine/UndoSteps.h"

namespace {

// Receives what the engine did with the items of one job of a run and
// writes their results as each is done; a step that did not happen after
// all is written back.
class JobRecorder : public UndoRecorder {
public:
    JobRecorder(UndoRun& run, std::map<std::string, std::size_t> byPath)
        : run_(run), byPath_(std::move(byPath)) {}

    std::size_t record(const UndoItem& reported) override {
        const auto it = byPath_.find(reported.from);
        if (it == byPath_.end() || reported.action == UndoAction::NewFolder) return 0;
        const std::size_t i = it->second;
        UndoItem updated = run_.entry.items[i];
        if (run_.undo) {
            updated.before = reported.after;
        } else {
            updated.before = reported.before;
            updated.after = reported.after;
            if (reported.action == UndoAction::Trashed) {
                updated.to = reported.to;
                updated.extra = reported.extra;
            }
        }
        run_.phase.result(i, updated, run_.undo);
        reported_.insert(i);
        return i + 1;
    }
    void withdraw(std::size_t token) override {
        if (!token || !reported_.erase(token - 1)) return;
        run_.phase.result(token - 1, run_.entry.items[token - 1], !run_.undo);
    }
    void flush() override { run_.phase.flush(); }

    bool reported(std::size_t i) const { return reported_.count(i) != 0; }
    void revert(std::size_t i) { withdraw(i + 1); }

private:
    UndoRun& run_;
    std::map<std::string, std::size_t> byPath_;
    std::set<std::size_t> reported_;
};

}  // namespace

// ---- the run ----------------------------------------------------------------

std::vector<std::size_t> UndoRun::select(std::initializer_list<UndoAction> actions, bool reversed) const {
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < entry.items.size(); ++i)
        if (!entry.withdrawn[i] && entry.back[i] != undo &&
            std::find(actions.begin(), actions.end(), entry.items[i].action) != actions.end())
            chosen.push_back(i);
    if (reversed) std::reverse(chosen.begin(), chosen.end());
    return chosen;
}

void UndoRun::refuse(const std::string& path, const std::string& reason) {
    result.refused.push_back({path, reason});
}

void UndoRun::done(std::size_t i, const UndoItem& updated) {
    phase.result(i, updated, undo);
    ++result.done;
}

bool UndoRun::runJob(JobKind kind, const std::vector<std::size_t>& items,
                     const std::vector<std::string>& sources, const std::vector<std::string>& targets,
                     const std::vector<FileState>& expected, const std::function<void(std::size_t, int)>& failed) {
    if (items.empty()) return true;
    std::map<std::string, std::size_t> byPath;
    for (std::size_t k = 0; k < items.size(); ++k) byPath.emplace(sources[k], items[k]);
    JobRecorder recorder(*this, std::move(byPath));
    FileJob job;
    job.kind = kind;
    job.sources = sources;
    job.targets = targets;
    job.expected = expected;
    // Failures are listed in the report afterwards.
    job.options = {JobOption::NoReplace, JobOption::NoFolderQuestion, JobOption::NoConfirmation,
                   JobOption::NoErrorUi};
    job.progressTitle = undo ? "元に戻す" : "やり直し";
    job.recorder = &recorder;
    const JobOutcome outcome = services.runner.run(job);
    for (std::size_t k = 0; k < items.size(); ++k) {
        const ItemOutcome o = k < outcome.items.size() ? outcome.items[k] : ItemOutcome{ItemStatus::Cancelled};
        if (o.status == ItemStatus::Done) {
            if (!recorder.reported(items[k])) phase.result(items[k], entry.items[items[k]], undo);
            ++result.done;
            continue;
        }
        recorder.revert(items[k]);
        if (o.status == ItemStatus::Failed && failed) failed(items[k], o.reason);
        else refuse(sources[k], o.status == ItemStatus::Failed ? fileOpErrorText(o.reason) : "中止しました。");
    }
    phase.flush();
    if (outcome.cancelled) result.cancelled = true;
    return !outcome.cancelled;
}

// ---- entry points -----------------------------------------------------------

UndoResult undoEntry(const UndoEntry& entry, UndoJournal::Phase& phase, const UndoServices& services) {
    UndoRun run{entry, phase, services, true};
    run.attributes();
    run.renames();
    if (run.transfers()) {
        run.madeFolders(false);
        run.trash();
        run.newFolders();
        run.removedFolders();
    }
    phase.flush();
    return run.result;
}

UndoResult redoEntry(const UndoEntry& entry, UndoJournal::Phase& phase, const UndoServices& services) {
    UndoRun run{entry, phase, services, false};
    run.removedFolders();
    run.newFolders();
    if (run.trash()) {
        run.madeFolders(false);
        if (run.transfers()) {
            run.madeFolders(true);
            run.renames();
            run.attributes();
        }
    }
    phase.flush();
    return run.result;
}

bool onlyErased(const UndoEntry& entry) {
    for (std::size_t i = 0; i < entry.items.size(); ++i)
        if (!entry.withdrawn[i] && entry.items[i].action != UndoAction::Erased) return false;
    return true;
}
