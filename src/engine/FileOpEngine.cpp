#include "engine/FileOpEngine.h"

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
#include "util/Termination.h"
#include "util/UniqueName.h"

using namespace posixops;

namespace {

// A path the service may act on: not empty, not the root, and not ending in
// "." or ".." (which would name a folder other than the one written).
bool actionablePath(const std::string& path) {
    if (path.empty() || path.find_first_not_of('/') == std::string::npos) return false;
    const std::string last = nameOf(path);
    return last != "." && last != "..";
}

bool sameObject(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

FileOpEngine::FileOpEngine(FileOpCallbacks& ui, ITrash* trash, FileOpTuning tuning)
    : ui_(ui), trash_(trash), tuning_(tuning) {
    if (!tuning_.leftoversBefore) tuning_.leftoversBefore = processStartTime();
}

void FileOpEngine::cancel(bool keepMovedSources) {
    if (keepMovedSources) keepMovedSources_ = true;
    cancelled_ = true;
}

bool FileOpEngine::stopped() {
    // The program is ending: nothing more is done, and no flush is waited
    // for before sources could go; they stay.
    if (terminationRequested()) cancel(true);
    if (cancelled_) outcome_.cancelled = true;
    return outcome_.cancelled;
}

JobOutcome FileOpEngine::run(const FileJob& job) {
    options_ = job.options;
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
    fromFolder_ = {};
    toFolder_ = {};
    weights_.clear();
    done_ = total_ = 0;
    if (job.kind == JobKind::Copy || job.kind == JobKind::Move) {
        if (!job.targets.empty() && job.targets.size() != job.sources.size()) {
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
    // What a stop left undone or unfinished counts as cancelled.
    if (stopped())
        for (std::size_t i = item_; i < outcome_.items.size(); ++i)
            if (outcome_.items[i].status == ItemStatus::Done) outcome_.items[i].status = ItemStatus::Cancelled;
    return outcome_;
}

// ---- progress and failures --------------------------------------------------

long long FileOpEngine::weigh(int dir, const std::string& name, const std::string& path,
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

void FileOpEngine::measure(const FileJob& job, const std::vector<std::string>& targets) {
    long long entries = 0;
    // A move within one file system is a rename: one step, whatever it holds.
    auto renamed = [&](std::size_t i) {
        struct stat s {}, t {};
        return job.kind == JobKind::Move && lstatPath(job.sources[i], s) == 0 &&
               ::stat(parentOf(targets[i]).c_str(), &t) == 0 && s.st_dev == t.st_dev;
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

bool FileOpEngine::tick(const std::string& path, long long amount) {
    done_ += amount;
    const long long shown = total_ > 0 ? std::min(done_, total_) : done_;
    if (!ui_.progress(FileOpCallbacks::Phase::Working, path, shown, total_)) abort();
    return !stopped();
}

void FileOpEngine::fail(const std::string& path, int code, const std::string& detail) {
    if (!outcome_.firstError) outcome_.firstError = code;
    if (item_ < outcome_.items.size() && outcome_.items[item_].status != ItemStatus::Failed)
        outcome_.items[item_] = {ItemStatus::Failed, code};
    if (stopped() || options_.has(JobOption::NoErrorUi)) return;
    std::string reason = fileOpErrorText(code);
    if (!detail.empty()) reason += " (" + detail + ")";
    if (!ui_.reportError(path, reason)) abort();
}

void FileOpEngine::skip() {
    if (item_ < outcome_.items.size() && outcome_.items[item_].status == ItemStatus::Done)
        outcome_.items[item_].status = ItemStatus::Skipped;
}

// ---- copy and move ----------------------------------------------------------

void FileOpEngine::runTransfer(const FileJob& job) {
    const bool move = job.kind == JobKind::Move;
    const std::vector<std::string> targets = job.resolvedTargets();
    const bool countProgress = !job.options.has(JobOption::Silent);
    if (countProgress) measure(job, targets);
    long long reached = 0;
    for (std::size_t i = 0; i < job.sources.size() && !stopped(); ++i) {
        item_ = i;
        const std::string& src = job.sources[i];
        const std::string& dst = targets[i];
        if (!actionablePath(src) || !actionablePath(dst))
            fail(src, fileop_error::RootRefused);
        else if (ensureTargetFolder(parentOf(dst)))
            transferItem(src, dst, move);
        if (countProgress) {
            reached += weights_[i];
            done_ = reached;
        }
    }
    if (!stopped()) item_ = job.sources.size();
    removeMovedSources();
}

bool FileOpEngine::ensureTargetFolder(const std::string& folder) {
    if (readyFolders_.count(folder)) return true;
    // A folder that failed once is reported once; its other items fail too.
    if (const auto failed = failedFolders_.find(folder); failed != failedFolders_.end()) {
        if (item_ < outcome_.items.size()) outcome_.items[item_] = {ItemStatus::Failed, failed->second};
        return false;
    }
    int rc = 0;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) rc = fileop_error::NotAFolder;
    } else if (errno != ENOENT) {
        rc = errno;
    } else {
        if (!options_.has(JobOption::NoFolderQuestion) && !ui_.askCreateFolder(folder)) {
            abort();
            return false;
        }
        rc = makeFolders(folder);
    }
    if (rc) {
        failedFolders_.emplace(folder, rc);
        fail(folder, rc);
        return false;
    }
    readyFolders_.insert(folder);
    return true;
}

int FileOpEngine::openListedFolder(OpenFolder& cache, const std::string& path) {
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

// One listed item: its folder and its target's folder are opened here, once;
// everything below is reached from these descriptors.
void FileOpEngine::transferItem(const std::string& src, const std::string& dst, bool move) {
    // Consecutive items mostly share their folders: each stays open.
    int rc = openListedFolder(fromFolder_, parentOf(src));
    if (!rc) rc = openListedFolder(toFolder_, parentOf(dst));
    if (rc) {
        fail(src, rc);
        return;
    }
    const Folder& from = fromFolder_.folder;
    const Folder& to = toFolder_.folder;
    struct stat s {};
    if ((rc = statAt(from.fd, nameOf(src), s))) {
        fail(src, rc);
        return;
    }
    if (S_ISDIR(s.st_mode)) {
        // Below the top level the target tree is new or already outside.
        if (isSameOrInside(to.path, src)) {
            fail(src, fileop_error::IntoItself);
            return;
        }
        // Moving a drive root would empty the drive.
        if (move && isMountRootAt(from.fd, nameOf(src))) {
            fail(src, fileop_error::MountPoint);
            return;
        }
    }
    cleanLeftovers(to);
    listedFolder_ = true;  // a listed drive root may be copied from
    transfer(from, nameOf(src), to, nameOf(dst), move, &s);
    listedFolder_ = false;
}

void FileOpEngine::transfer(const Folder& from, const std::string& name, const Folder& to,
                            std::string dstName, bool move, const struct stat* known) {
    if (stopped()) return;
    const std::string src = childOf(from.path, name);
    struct stat s {};
    if (known) {
        s = *known;
    } else if (int rc = statAt(from.fd, name, s)) {
        fail(src, rc);
        return;
    }
    if (!tick(src)) return;
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool replace = false;
        struct stat d {};
        int found = statAt(to.fd, dstName, d);
        // The source of an earlier item, moved to another file system, may
        // still await its removal: it goes now, and its name is free, as
        // the earlier item promised.
        if (found == 0 && awaitsRemoval(d)) {
            removeMovedSources();
            found = statAt(to.fd, dstName, d);
        }
        if (found == 0) {
            switch (resolveCollision(src, s, to, dstName, d, move)) {
                case Collision::Skip: return;
                case Collision::Merge: copyFolder(from, name, s, to, dstName, true, move); return;
                case Collision::Replace: replace = true; break;
                case Collision::Renamed: break;
            }
        }
        if (move) {
            // A file renamed over another must be on the disk first, and the
            // folder's new entry after.
            const bool flushed = replace && S_ISREG(s.st_mode);
            int rc = flushed ? flushFileAt(from.fd, name) : 0;
            if (!rc)
                rc = replace ? renameReplaceAt(from.fd, name, to.fd, dstName)
                             : renameNoReplaceAt(from.fd, name, to.fd, dstName);
            if (rc == 0 && flushed) rc = flushFolder(to.fd);
            if (rc == 0) return;
            if (rc == EEXIST && !replace) continue;  // the name was taken meanwhile
            if (rc != EXDEV) {
                fail(src, rc == EBUSY ? fileop_error::MountPoint : rc);
                return;
            }
            // A source that could not be removed after its copy is made
            // would leave the item on both sides: refused before copying.
            if ((rc = removableFrom(from.fd))) {
                fail(src, rc);
                return;
            }
        }
        if (S_ISDIR(s.st_mode))
            copyFolder(from, name, s, to, dstName, false, move);
        else
            copyLeaf(from, name, s, to, dstName, replace, move);
        return;
    }
    fail(src, EEXIST);
}

FileOpEngine::Collision FileOpEngine::resolveCollision(const std::string& src, const struct stat& s,
                                                       const Folder& to, std::string& dstName,
                                                       const struct stat& d, bool move) {
    const bool srcFolder = S_ISDIR(s.st_mode);
    const bool dstFolder = S_ISDIR(d.st_mode);
    if (sameObject(s, d) && (move || !options_.has(JobOption::RenameOnCollision))) {
        fail(src, fileop_error::SameFile);
        return Collision::Skip;
    }
    if (options_.has(JobOption::RenameOnCollision)) {
        const std::string fresh = collisionFreeName(dstName, srcFolder, [&](const std::string& n) {
            struct stat st {};
            return statAt(to.fd, n, st) != ENOENT;
        });
        if (fresh.empty()) {
            fail(src, fileop_error::NoFreeName);
            return Collision::Skip;
        }
        dstName = fresh;
        if (depth_ == 0 && item_ < outcome_.items.size())
            outcome_.items[item_].target = childOf(to.path, fresh);
        return Collision::Renamed;
    }
    if (srcFolder && dstFolder) return Collision::Merge;
    if (srcFolder || dstFolder) {
        fail(src, fileop_error::KindMismatch);
        return Collision::Skip;
    }
    if (yesToAll_ || options_.has(JobOption::NoConfirmation)) return Collision::Replace;
    switch (ui_.askOverwrite(childOf(to.path, dstName), src)) {
        case FileOpCallbacks::Answer::Yes: return Collision::Replace;
        case FileOpCallbacks::Answer::YesToAll: yesToAll_ = true; return Collision::Replace;
        case FileOpCallbacks::Answer::No: skip(); return Collision::Skip;
        case FileOpCallbacks::Answer::Cancel: break;
    }
    abort();
    return Collision::Skip;
}

void FileOpEngine::copyFolder(const Folder& from, const std::string& name, const struct stat& s,
                              const Folder& to, const std::string& dstName, bool targetExists,
                              bool move) {
    const std::string src = childOf(from.path, name);
    const bool listed = std::exchange(listedFolder_, false);
    // Another file system mounted inside a listed folder is a drive root:
    // never entered, so never copied from or emptied by a move.
    if (!listed && (s.st_dev != from.st.st_dev || isMountRootAt(from.fd, name))) {
        fail(src, fileop_error::MountPoint);
        return;
    }
    DirFd srcFd, dstFd;
    Folder inner{-1, src, {}}, target{-1, childOf(to.path, dstName), {}};
    // Descriptors know no length limit, paths and the worker's stack do.
    if (src.size() >= PATH_MAX || target.path.size() >= PATH_MAX) {
        fail(src, ENAMETOOLONG);
        return;
    }
    int rc = openSubfolder(from.fd, name, srcFd);
    if (!rc && ::fstat(srcFd.get(), &inner.st) != 0) rc = errno;
    if (!rc && !sameObject(inner.st, s)) rc = fileop_error::Changed;
    if (rc) {
        fail(src, rc);
        return;
    }
    if (!targetExists && (rc = makeFolderAt(to.fd, dstName))) {
        fail(src, rc);
        return;
    }
    rc = openSubfolder(to.fd, dstName, dstFd);
    if (!rc && ::fstat(dstFd.get(), &target.st) != 0) rc = errno;
    if (rc) {
        fail(src, rc);
        return;
    }
    inner.fd = srcFd.get();
    target.fd = dstFd.get();
    if (targetExists) cleanLeftovers(target);
    std::vector<std::string> names;
    if ((rc = listNamesAt(inner.fd, names))) {
        fail(src, rc);
    } else {
        ++depth_;
        for (const auto& n : names) {
            if (stopped()) break;
            transfer(inner, n, target, n, move);
        }
        --depth_;
    }
    // A folder made here gets its bits and times after its content is in.
    if (!targetExists) copyFolderMetadata(target.fd, s);
    if (move) removeSourceLater(from, name, inner.st, true, 0, nullptr);
}

void FileOpEngine::copyLeaf(const Folder& from, const std::string& name, const struct stat& s,
                            const Folder& to, std::string dstName, bool replace, bool move) {
    const std::string src = childOf(from.path, name);
    CopyOptions options;
    options.chunkBytes = tuning_.chunkBytes;
    options.onChunk = [&](long long bytes) { return tick(src, bytes); };
    options.unnamedRefused = &unnamedRefused_;
    for (int attempt = 0; attempt < 3; ++attempt) {
        int rc;
        struct stat checked = s;
        if (S_ISREG(s.st_mode)) {
            rc = copyFile(from.fd, name, s, to.fd, dstName, replace, options, &checked);
        } else if (S_ISLNK(s.st_mode)) {
            rc = copyLink(from.fd, name, s, to.fd, dstName, replace);
        } else {
            rc = fileop_error::SpecialFile;
        }
        if (rc == 0) {
            if (move) removeSourceLater(from, name, checked, false, s.st_size, &to);
            return;
        }
        if (rc == ECANCELED && stopped()) return;
        if (rc != EEXIST || replace) {
            fail(src, rc);
            return;
        }
        // The name was taken while the copy was made: decide again.
        struct stat d {};
        if (statAt(to.fd, dstName, d) != 0) continue;
        const Collision c = resolveCollision(src, s, to, dstName, d, false);
        if (c == Collision::Skip || c == Collision::Merge) return;
        replace = c == Collision::Replace;
    }
    fail(src, EEXIST);
}

// Sources of a move across file systems go only once their copies are on the
// device and only if they are still as they were copied: they are collected
// with what was checked, and removed after one flush per batch.
void FileOpEngine::removeSourceLater(const Folder& from, const std::string& name,
                                     const struct stat& checked, bool folder, long long bytes,
                                     const Folder* target) {
    pending_.push_back({from.path, from.st.st_dev, from.st.st_ino, name, folder, checked});
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

bool FileOpEngine::awaitsRemoval(const struct stat& st) const {
    return std::any_of(pending_.begin(), pending_.end(), [&](const CheckedEntry& e) {
        return e.state.st_dev == st.st_dev && e.state.st_ino == st.st_ino;
    });
}

void FileOpEngine::removeMovedSources() {
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

void FileOpEngine::cleanLeftovers(const Folder& folder) {
    if (cleanedFolders_.emplace(folder.st.st_dev, folder.st.st_ino).second)
        removeStaleTemporaries(folder.fd, tuning_.leftoversBefore);
}

// ---- delete -----------------------------------------------------------------

void FileOpEngine::runDelete(const FileJob& job) {
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

void FileOpEngine::trash(const std::string& path) {
    struct stat st {};
    // The trash moves a folder whole, with whatever is mounted inside.
    if (lstatPath(path, st) == 0 && S_ISDIR(st.st_mode) && holdsMountPoint(path)) {
        fail(path, fileop_error::HoldsMountPoint);
        return;
    }
    std::string reason;
    const ITrash::Result result =
        trash_ ? trash_->moveToTrash(path, reason) : ITrash::Result::NotSupported;
    if (result == ITrash::Result::Trashed) return;
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

void FileOpEngine::erase(const std::string& path) {
    RemoveCallbacks callbacks;
    callbacks.entry = [&](const std::string& p) { return tick(p, 0); };
    callbacks.error = [&](const std::string& p, int code) {
        fail(p, code);
        return !stopped();
    };
    removeTree(path, callbacks);
}
