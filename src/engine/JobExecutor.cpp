// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The executor's frame: run() resets a job's state and hands copies and moves
// to runTransfer (JobExecutorTransfer.cpp), trash and erase to runDelete
// (below); then the undo records are flushed. Here too: the listed items'
// folders and their check (sourceAsExpected), progress (measure, tick),
// failures and skips per item, the removal of moved sources once their copies
// are safe (removeSourceLater, removeMovedSources), what the job wrote itself
// (writtenByJob, noteWritten), the traits of each file system, trash and
// erase. The steps on the file system are posixops' (PosixFileOps*.cpp).
#include "engine/JobExecutor.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "engine/FileJob.h"
#include "engine/FileOpErrors.h"
#include "engine/ITrash.h"
#include "engine/PosixFileOps.h"
#include "engine/TrashEntries.h"
#include "util/Termination.h"
#include "util/UniqueName.h"

using namespace posixops;

JobExecutor::JobExecutor(FileOpCallbacks& ui, ITrash* trash, FileOpTuning tuning)
    : ui_(ui), trash_(trash), tuning_(tuning) {
    if (!tuning_.leftoversBefore) tuning_.leftoversBefore = processStartTime();
}

void JobExecutor::cancel(bool keepMovedSources) {
    if (keepMovedSources) keepMovedSources_ = true;
    cancelled_ = true;
}

bool JobExecutor::stopped() {
    // The program is ending: nothing more is done, and no flush is waited
    // for before sources could go; they stay.
    if (terminationRequested()) cancel(true);
    if (cancelled_) outcome_.cancelled = true;
    return outcome_.cancelled;
}

JobOutcome JobExecutor::run(const FileJob& job) {
    options_ = job.options;
    recorder_ = job.recorder;
    outcome_ = {};
    outcome_.items.assign(job.sources.size(), ItemOutcome{});
    item_ = 0;
    yesToAll_ = false;
    deleteAllPermanently_ = false;
    unnamedRefused_ = false;
    depth_ = 0;
    readyFolders_.clear();
    failedFolders_.clear();
    cleanedFolders_.clear();
    written_.clear();
    writtenPaths_.clear();
    madeFolders_.clear();
    madeFolderPaths_.clear();
    traits_.clear();
    exclusiveOnly_.clear();
    fromFolder_ = {};
    toFolder_ = {};
    weights_.clear();
    done_ = total_ = 0;
    if (job.kind == JobKind::Copy || job.kind == JobKind::Move) {
        if ((!job.targets.empty() && job.targets.size() != job.sources.size()) ||
            (!job.expected.empty() && job.expected.size() != job.sources.size())) {
            outcome_.firstError = EINVAL;
            for (ItemOutcome& i : outcome_.items) i = {ItemStatus::Failed, EINVAL};
            return outcome_;
        }
        runTransfer(job);
        fromFolder_ = {};
        toFolder_ = {};
    } else {
        runDelete(job);
    }
    if (recorder_) recorder_->flush();
    // What a stop left undone or unfinished counts as cancelled.
    if (stopped())
        for (std::size_t i = item_; i < outcome_.items.size(); ++i)
            if (outcome_.items[i].status == ItemStatus::Done) outcome_.items[i].status = ItemStatus::Cancelled;
    return outcome_;
}

// ---- the listed items' folders ------------------------------------------

int JobExecutor::openListedFolder(OpenFolder& cache, const std::string& path) {
    if (cache.fd.get() >= 0 && cache.folder.path == path) return 0;
    cache.fd.reset();
    cache.folder = {-1, path, {}};
    int rc = openFolder(path, cache.fd);
    if (!rc && ::fstat(cache.fd.get(), &cache.folder.st) != 0) rc = errno;
    if (rc) {
        cache.fd.reset();
        return rc;
    }
    cache.folder.fd = cache.fd.get();
    return 0;
}

bool JobExecutor::sourceAsExpected(const std::string& src, const FileState& expected, struct stat& s) {
    int rc = openListedFolder(fromFolder_, parentOf(src));
    if (!rc) rc = statAt(fromFolder_.folder.fd, nameOf(src), s);
    if (!rc && !sameState(expected, fileStateOf(s, expected.stableIdentity))) rc = fileop_error::Changed;
    if (rc) fail(src, rc);
    return rc == 0;
}

// ---- progress and failures --------------------------------------------------

long long JobExecutor::weigh(int dir, const std::string& name, const std::string& path,
                              long long& entries, bool listed) {
    struct stat st {};
    if (statAt(dir, name, st) != 0) return 1;
    if (++entries % 256 == 0 && !ui_.progress(FileOpCallbacks::Phase::Preparing, path, 0, 0)) abort();
    long long weight = 1;
    if (S_ISREG(st.st_mode)) weight += st.st_size;
    if (!S_ISDIR(st.st_mode) || stopped() || path.size() >= PATH_MAX) return weight;
    // What another file system mounted inside holds is not walked either.
    if (!listed && isMountRootAt(dir, name)) return weight;
    DirFd folder;
    std::vector<std::string> names;
    if (openSubfolder(dir, name, folder) || listNamesAt(folder.get(), names)) return weight;
    for (const auto& n : names) {
        if (stopped()) break;
        weight += weigh(folder.get(), n, childOf(path, n), entries);
    }
    return weight;
}

void JobExecutor::measure(const FileJob& job, const std::vector<std::string>& targets) {
    long long entries = 0;
    // A move within one file system is a rename: one step, whatever it holds.
    // Consecutive targets mostly share their folder: it is looked at once.
    std::string folder;
    struct stat t {};
    bool folderFound = false;
    auto renamed = [&](std::size_t i) {
        if (job.kind != JobKind::Move) return false;
        if (const std::string parent = parentOf(targets[i]); parent != folder || i == 0) {
            folder = parent;
            folderFound = ::stat(folder.c_str(), &t) == 0;
        }
        if (!folderFound) return false;
        // A source that must be as recorded is on the device recorded.
        if (!job.expected.empty()) return job.expected[i].dev == std::uint64_t(t.st_dev);
        struct stat s {};
        return lstatPath(job.sources[i], s) == 0 && s.st_dev == t.st_dev;
    };
    for (std::size_t i = 0; i < job.sources.size(); ++i) {
        long long weight = 1;
        DirFd parent;
        if (!stopped() && !renamed(i) && openFolder(parentOf(job.sources[i]), parent) == 0)
            weight = weigh(parent.get(), nameOf(job.sources[i]), job.sources[i], entries, true);
        weights_.push_back(weight);
        total_ += weight;
    }
}

bool JobExecutor::tick(const std::string& path, long long amount) {
    done_ += amount;
    const long long shown = total_ > 0 ? std::min(done_, total_) : done_;
    if (!ui_.progress(FileOpCallbacks::Phase::Working, path, shown, total_)) abort();
    return !stopped();
}

void JobExecutor::fail(const std::string& path, int code, const std::string& detail) {
    if (!outcome_.firstError) outcome_.firstError = code;
    if (item_ < outcome_.items.size() && outcome_.items[item_].status != ItemStatus::Failed)
        outcome_.items[item_] = {ItemStatus::Failed, code};
    if (stopped() || options_.has(JobOption::NoErrorUi)) return;
    std::string reason = fileOpErrorText(code);
    if (!detail.empty()) reason += " (" + detail + ")";
    if (!ui_.reportError(path, reason)) abort();
}

void JobExecutor::skip() {
    if (item_ < outcome_.items.size() && outcome_.items[item_].status == ItemStatus::Done)
        outcome_.items[item_].status = ItemStatus::Skipped;
}

// Sources of a move across file systems go only once their copies are on the
// device and only if they are still as they were copied: they are collected
// with what was checked, and removed after one flush per batch.
void JobExecutor::removeSourceLater(const Folder& from, const std::string& name,
                                     const struct stat& checked, bool folder, long long bytes,
                                     const Folder* target) {
    pending_.push_back(
        {from.path, from.st.st_dev, from.st.st_ino, name, folder, checked, traitsOf(from).stableIdentity});
    pendingItems_.push_back(item_);
    if (folder) return;
    if (target && !pendingTargets_.count(target->st.st_dev)) {
        DirFd barrier(::fcntl(target->fd, F_DUPFD_CLOEXEC, 0));
        if (barrier.get() >= 0) pendingTargets_.emplace(target->st.st_dev, std::move(barrier));
    }
    pendingBytes_ += bytes;
    ++pendingFiles_;
    if (pendingBytes_ >= tuning_.moveSyncBytes || pendingFiles_ >= tuning_.moveSyncFiles)
        removeMovedSources();
}

bool JobExecutor::awaitsRemoval(const struct stat& st) const {
    return std::any_of(pending_.begin(), pending_.end(), [&](const CheckedEntry& e) {
        return e.state.st_dev == st.st_dev && e.state.st_ino == st.st_ino;
    });
}

void JobExecutor::removeMovedSources() {
    if (keepMovedSources_) {
        // Ending: whatever was copied stays on both sides.
        pending_.clear();
        pendingItems_.clear();
        pendingTargets_.clear();
    }
    if (pending_.empty()) return;
    int syncError = 0;
    for (auto& [dev, folder] : pendingTargets_) {
        (void)dev;
        if (int rc = syncFileSystem(folder.get())) syncError = rc;
    }
    // The journal knows where every source goes before any goes.
    if (recorder_) recorder_->flush();
    pendingTargets_.clear();
    pendingBytes_ = 0;
    pendingFiles_ = 0;
    std::vector<CheckedEntry> removals;
    removals.swap(pending_);
    std::vector<std::size_t> items;
    items.swap(pendingItems_);
    const std::size_t current = item_;
    if (syncError) {
        // The copies may not be on the device: every source stays.
        for (std::size_t k = 0; k < items.size(); ++k) {
            item_ = items[k];
            if (k == 0) fail(childOf(removals.front().folder, removals.front().name), syncError);
            else if (item_ < outcome_.items.size()) outcome_.items[item_] = {ItemStatus::Failed, syncError};
        }
        item_ = current;
        return;
    }
    RemovalFolder folder;  // consecutive sources mostly share their folder
    for (std::size_t k = 0; k < removals.size(); ++k) {
        const auto& r = removals[k];
        const int rc = removeIfUnchanged(r, &folder);
        if (!rc) continue;
        // A folder keeps what was skipped or failed, and then stays itself.
        if (r.isFolder && (rc == ENOTEMPTY || rc == EEXIST)) continue;
        item_ = items[k];
        fail(childOf(r.folder, r.name), rc == fileop_error::Changed ? fileop_error::SourceChanged : rc);
    }
    item_ = current;
}

void JobExecutor::commitReplacements() {
    if (replacements_.empty()) return;
    const std::size_t current = item_;
    if (keepMovedSources_) {
        // Ending: no flush is waited for, and the old files stay.
        for (std::size_t item : replacements_.discard())
            if (item < outcome_.items.size()) outcome_.items[item].status = ItemStatus::Cancelled;
        return;
    }
    for (const ReplaceBatch::Failure& f : replacements_.commit()) {
        item_ = f.item;
        fail(f.path, f.code);
    }
    item_ = current;
}

void JobExecutor::cleanLeftovers(const Folder& folder) {
    if (cleanedFolders_.emplace(folder.st.st_dev, folder.st.st_ino).second)
        removeStaleTemporaries(folder.fd, tuning_.leftoversBefore);
}

// ---- what the job wrote, and the file systems' traits ---------------------

bool JobExecutor::writtenByJob(const Folder& to, const std::string& name, const struct stat& d) {
    return to.ours || writtenPaths_.count(childOf(to.path, name)) ||
           (traitsOf(to).stableIdentity && written_.count({d.st_dev, d.st_ino}));
}

void JobExecutor::noteWritten(const Folder& to, const std::string& name, const struct stat& st) {
    writtenPaths_.insert(childOf(to.path, name));
    written_.insert({st.st_dev, st.st_ino});
}

void JobExecutor::noteMadeFolder(const std::string& path, const struct stat& st) {
    madeFolderPaths_.insert(path);
    madeFolders_.insert({st.st_dev, st.st_ino});
}

const FileSystemTraits& JobExecutor::traitsOf(const Folder& folder) {
    auto it = traits_.find(folder.st.st_dev);
    if (it == traits_.end()) it = traits_.emplace(folder.st.st_dev, fileSystemTraits(folder.fd)).first;
    return it->second;
}

// ---- delete -----------------------------------------------------------------

void JobExecutor::runDelete(const FileJob& job) {
    const bool toTrash = job.kind == JobKind::Trash;
    total_ = static_cast<long long>(job.sources.size());
    if (!options_.has(JobOption::NoConfirmation) && !job.sources.empty()) {
        const bool go = toTrash ? ui_.confirmTrash(job.sources) : ui_.confirmErase(job.sources);
        if (!go) {
            abort();
            return;
        }
    }
    for (std::size_t i = 0; i < job.sources.size() && !stopped(); ++i) {
        item_ = i;
        const std::string& path = job.sources[i];
        done_ = static_cast<long long>(i);
        if (!tick(path, 0)) break;
        if (!actionablePath(path)) {
            fail(path, fileop_error::RootRefused);
            continue;
        }
        struct stat st {};
        if (int rc = lstatPath(path, st)) {
            fail(path, rc);
            continue;
        }
        if (S_ISDIR(st.st_mode) && isMountPoint(path)) {
            fail(path, fileop_error::MountPoint);
            continue;
        }
        if (toTrash)
            trash(path);
        else
            erase(path);
    }
}

void JobExecutor::trash(const std::string& path) {
    struct stat st {};
    // The trash moves a folder whole, with whatever is mounted inside.
    if (lstatPath(path, st) == 0 && S_ISDIR(st.st_mode) && holdsMountPoint(path)) {
        fail(path, fileop_error::HoldsMountPoint);
        return;
    }
    std::string reason;
    const ITrash::Result result =
        trash_ ? trash_->moveToTrash(path, reason) : ITrash::Result::NotSupported;
    if (result == ITrash::Result::Trashed) {
        if (recorder_) {
            UndoItem item{UndoAction::Trashed, path, {}, {}, fileStateOf(st), {}, 0};
            if (const auto entry = findTrashEntry(path, st)) {
                item.to = entry->file;
                item.extra = entry->info;
                item.after = currentState(entry->file);
            }
            record(std::move(item));
        }
        return;
    }
    if (result == ITrash::Result::Failed) {
        fail(path, fileop_error::TrashFailed, reason);
        return;
    }
    if (!deleteAllPermanently_) {
        switch (ui_.confirmDeletePermanently(path)) {
            case FileOpCallbacks::Answer::Yes: break;
            case FileOpCallbacks::Answer::YesToAll: deleteAllPermanently_ = true; break;
            case FileOpCallbacks::Answer::No: skip(); return;
            case FileOpCallbacks::Answer::Cancel: abort(); return;
        }
    }
    erase(path);
}

void JobExecutor::erase(const std::string& path) {
    RemoveCallbacks callbacks;
    callbacks.entry = [&](const std::string& p) { return tick(p, 0); };
    callbacks.error = [&](const std::string& p, int code) {
        fail(p, code);
        return !stopped();
    };
    removeTree(path, callbacks);
    struct stat st {};
    if (recorder_ && lstatPath(path, st) == ENOENT) record({UndoAction::Erased, path, {}, {}, {}, {}, 0});
}

// ---- undo journal -------------------------------------------------------------

std::size_t JobExecutor::record(UndoItem item) { return recorder_ ? recorder_->record(item) : 0; }

void JobExecutor::recordMadeFolders(const std::vector<std::string>& made) {
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        record({UndoAction::NewFolder, {}, *it, {}, {}, currentState(*it), 0});
}
