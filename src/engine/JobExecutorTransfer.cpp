// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Copy and move: each listed item, its collisions, folders walked through
// descriptors, and the removal of moved sources once their copies are safe.
// runTransfer -> transferItem (a listed item) -> transfer (any item:
// resolveCollision, then copyFolder, which calls transfer for its entries, or
// copyLeaf -> posixops::copyFile / copyLink); a moved source is handed to
// removeSourceLater (JobExecutor.cpp).
#include "engine/JobExecutor.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "engine/FileOpErrors.h"
#include "engine/PosixFileOps.h"
#include "util/UniqueName.h"

using namespace posixops;

// ---- copy and move ----------------------------------------------------------

void JobExecutor::runTransfer(const FileJob& job) {
    const bool move = job.kind == JobKind::Move;
    const std::vector<std::string> targets = job.resolvedTargets();
    const bool countProgress = !job.options.has(JobOption::Silent);
    if (countProgress) measure(job, targets);
    long long reached = 0;
    for (std::size_t i = 0; i < job.sources.size() && !stopped(); ++i) {
        item_ = i;
        const std::string& src = job.sources[i];
        const std::string& dst = targets[i];
        struct stat known {};
        const bool checked = !job.expected.empty();
        if (!actionablePath(src) || !actionablePath(dst))
            fail(src, fileop_error::RootRefused);
        // A source not as expected fails before any target folder is made for it.
        else if ((!checked || sourceAsExpected(src, job.expected[i], known)) &&
                 ensureTargetFolder(parentOf(dst)))
            transferItem(src, dst, move, checked ? &known : nullptr);
        if (countProgress) {
            reached += weights_[i];
            done_ = reached;
        }
    }
    if (!stopped()) item_ = job.sources.size();
    commitReplacements();
    removeMovedSources();
}

bool JobExecutor::ensureTargetFolder(const std::string& folder) {
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
        std::vector<std::string> missing;  // deepest first
        for (std::string f = folder; f != "/" && f != "." && ::lstat(f.c_str(), &st) != 0 && errno == ENOENT;
             f = parentOf(f))
            missing.push_back(f);
        rc = makeFolders(folder);
        if (!rc) recordMadeFolders(missing);
    }
    if (rc) {
        failedFolders_.emplace(folder, rc);
        fail(folder, rc);
        return false;
    }
    readyFolders_.insert(folder);
    return true;
}

// One listed item: its folder and its target's folder are opened here, once;
// everything below is reached from these descriptors.
void JobExecutor::transferItem(const std::string& src, const std::string& dst, bool move,
                                const struct stat* known) {
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
    if (known) {
        s = *known;
    } else if ((rc = statAt(from.fd, nameOf(src), s))) {
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

void JobExecutor::transfer(const Folder& from, const std::string& name, const Folder& to,
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
    // A file that waits to be replaced is read with its new content.
    if (!replacements_.empty() && replacements_.replaces(from.st.st_dev, from.st.st_ino, name))
        commitReplacements();
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool replace = false;
        struct stat d {};
        // Where nothing may be replaced, a rename within one file system
        // is tried at once: it fails when the name is taken, and the name
        // is looked at then.
        const bool presumeFree = move && attempt == 0 && options_.has(JobOption::NoReplace) &&
                                 from.st.st_dev == to.st.st_dev;
        int found = presumeFree ? ENOENT : statAt(to.fd, dstName, d);
        // The source of an earlier item, moved to another file system, may
        // still await its removal: it goes now, and its name is free, as
        // the earlier item promised.
        if (found == 0 && awaitsRemoval(d)) {
            removeMovedSources();
            found = statAt(to.fd, dstName, d);
        }
        if (found == 0) {
            switch (resolveCollision(from, name, s, to, dstName, d, move)) {
                case Collision::Skip: return;
                case Collision::Merge: copyFolder(from, name, s, to, dstName, true, move); return;
                case Collision::Replace: replace = true; break;
                case Collision::Renamed: break;
            }
        }
        if (move) {
            int rc = EXDEV;  // no rename joins two devices: copied and removed
            if (from.st.st_dev == to.st.st_dev) {
                // A file renamed over another must be on the disk first, and the
                // folder's new entry after.
                const bool flushed = replace && S_ISREG(s.st_mode);
                rc = flushed ? flushFileAt(from.fd, name) : 0;
                // Recorded first: a crash right after the rename leaves it known.
                const FileState moved = fileStateOf(s, traitsOf(from).stableIdentity);
                const std::size_t intent =
                    rc ? 0 : record({UndoAction::Moved, src, childOf(to.path, dstName), {}, moved, moved,
                                     replace ? undoflag::Replaced : 0});
                if (!rc)
                    rc = replace ? renameReplaceAt(from.fd, name, to.fd, dstName)
                                 : renameExclusiveAt(from.fd, name, to.fd, dstName);
                if (rc && recorder_) recorder_->withdraw(intent);
                if (rc == 0) {
                    // Moved in one step: should the folder's flush fail, a crash
                    // leaves either file whole, so the item is done all the same.
                    if (flushed) flushFolder(to.fd);
                    if (S_ISDIR(s.st_mode)) noteMadeFolder(childOf(to.path, dstName), s);
                    else noteWritten(to, dstName, s);
                    return;
                }
                if (rc == EEXIST && !replace) continue;  // the name was taken meanwhile
                if (presumeFree && (rc == EXDEV || rc == fileop_error::NoExclusiveRename)) continue;
                // No rename here is sure not to replace: copied and removed.
                if (rc == fileop_error::NoExclusiveRename) rc = EXDEV;
                if (rc != EXDEV) {
                    fail(src, rc == EBUSY ? fileop_error::MountPoint : rc);
                    return;
                }
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

JobExecutor::Collision JobExecutor::resolveCollision(const Folder& from, const std::string& name,
                                                       const struct stat& s, const Folder& to,
                                                       std::string& dstName, const struct stat& d,
                                                       bool move) {
    const std::string src = childOf(from.path, name);
    const bool srcFolder = S_ISDIR(s.st_mode);
    const bool dstFolder = S_ISDIR(d.st_mode);
    // A link onto what it points to would replace that by a link to itself.
    bool same = sameObject(s, d);
    struct stat resolved {};
    if (!same && S_ISLNK(s.st_mode))
        same = ::fstatat(from.fd, name.c_str(), &resolved, 0) == 0 && sameObject(resolved, d);
    if (same && (move || !options_.has(JobOption::RenameOnCollision))) {
        fail(src, fileop_error::SameFile);
        return Collision::Skip;
    }
    if (options_.has(JobOption::NoReplace)) {
        fail(src, EEXIST);
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
    if (writtenByJob(to, dstName, d)) {
        fail(src, fileop_error::WrittenByJob);
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

void JobExecutor::copyFolder(const Folder& from, const std::string& name, const struct stat& s,
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
    // The files moved into a new folder are reached only through its entry.
    if (!targetExists && move && !traitsOf(to).syncfsFlushes && (rc = flushFolder(to.fd))) {
        ::unlinkat(to.fd, dstName.c_str(), AT_REMOVEDIR);
        fail(src, rc);
        return;
    }
    rc = openSubfolder(to.fd, dstName, dstFd);
    if (!rc && ::fstat(dstFd.get(), &target.st) != 0) rc = errno;
    if (rc) {
        fail(src, rc);
        return;
    }
    if (!targetExists) {
        noteMadeFolder(target.path, target.st);
        record({UndoAction::FolderMade, src, target.path, {}, fileStateOf(s, traitsOf(from).stableIdentity),
                fileStateOf(target.st, traitsOf(to).stableIdentity), move ? undoflag::Move : 0});
    }
    target.ours = to.ours || !targetExists || madeFolderPaths_.count(target.path) ||
                  (traitsOf(to).stableIdentity && madeFolders_.count({target.st.st_dev, target.st.st_ino}));
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

void JobExecutor::copyLeaf(const Folder& from, const std::string& name, const struct stat& s,
                            const Folder& to, std::string dstName, bool replace, bool move) {
    const std::string src = childOf(from.path, name);
    CopyOptions options;
    options.chunkBytes = tuning_.chunkBytes;
    options.onChunk = [&](long long bytes) { return tick(src, bytes); };
    options.unnamedRefused = &unnamedRefused_;
    options.exclusiveOnly = &exclusiveOnly_[to.st.st_dev];
    // A move's source goes after one flush of the target's file system,
    // unless that flush is not passed on: then each copy is flushed.
    options.flushEach = move && !traitsOf(to).syncfsFlushes;
    options.stableIdentity = traitsOf(from).stableIdentity;
    for (int attempt = 0; attempt < 3; ++attempt) {
        int rc;
        struct stat checked = s;
        // A copy that replaces a file joins the others (one flush for all)
        // where the file system's flush can be trusted.
        std::string staged;
        options.stagedAs = replace && !move && traitsOf(to).syncfsFlushes ? &staged : nullptr;
        if (S_ISREG(s.st_mode)) {
            rc = copyFile(from.fd, name, s, to.fd, dstName, replace, options, &checked);
        } else if (S_ISLNK(s.st_mode)) {
            rc = copyLink(from.fd, name, s, to.fd, dstName, replace, options.flushEach);
        } else {
            rc = fileop_error::SpecialFile;
        }
        if (rc == 0 && !staged.empty()) {
            struct stat written {};
            if (statAt(to.fd, staged, written) == 0) noteWritten(to, dstName, written);
            else writtenPaths_.insert(childOf(to.path, dstName));
            if (recorder_)
                record({UndoAction::Copied, src, childOf(to.path, dstName), {},
                        fileStateOf(checked, traitsOf(from).stableIdentity),
                        fileStateOf(written, traitsOf(to).stableIdentity), undoflag::Replaced});
            replacements_.add(to.fd, to.st.st_dev, to.st.st_ino, to.path, std::move(staged), dstName, item_,
                              s.st_size);
            if (replacements_.bytes() >= tuning_.moveSyncBytes || replacements_.files() >= tuning_.moveSyncFiles)
                commitReplacements();
            return;
        }
        if (rc == 0) {
            struct stat written {};
            if (statAt(to.fd, dstName, written) == 0) noteWritten(to, dstName, written);
            if (recorder_)
                record({move ? UndoAction::Moved : UndoAction::Copied, src, childOf(to.path, dstName), {},
                        fileStateOf(checked, traitsOf(from).stableIdentity),
                        fileStateOf(written, traitsOf(to).stableIdentity), replace ? undoflag::Replaced : 0});
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
        const Collision c = resolveCollision(from, name, s, to, dstName, d, false);
        if (c == Collision::Skip || c == Collision::Merge) return;
        replace = c == Collision::Replace;
    }
    fail(src, EEXIST);
}
