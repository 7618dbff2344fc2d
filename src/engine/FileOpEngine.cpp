#include "engine/FileOpEngine.h"

#include <algorithm>
#include <cerrno>

#include "engine/CollisionName.h"
#include "engine/FileJob.h"
#include "engine/FileOpErrors.h"
#include "engine/ITrash.h"
#include "engine/PosixFileOps.h"

using namespace posixops;

namespace {


// A path the service may act on: not empty, not the root, and not ending in
// "." or ".." (which would name a folder other than the one written).
bool actionablePath(const std::string& path) {
    if (path.empty() || path.find_first_not_of('/') == std::string::npos) return false;
    const std::string last = path.substr(path.rfind('/') + 1);
    return last != "." && last != "..";
}

bool taken(const std::string& path) {
    struct stat st {};
    return lstatPath(path, st) != ENOENT;
}

}  // namespace

FileOpEngine::FileOpEngine(FileOpCallbacks& ui, ITrash* trash, FileOpTuning tuning)
    : ui_(ui), trash_(trash), tuning_(tuning) {}

FileOpOutcome FileOpEngine::run(const FileOpJob& job) {
    flags_ = job.flags;
    outcome_ = {};
    yesToAll_ = false;
    deleteAllPermanently_ = false;
    readyFolders_.clear();
    failedFolders_.clear();
    weights_.clear();
    done_ = total_ = 0;
    if (job.func == fo::Copy || job.func == fo::Move) {
        if (job.targets.size() != job.sources.size()) {
            outcome_.firstError = EINVAL;
            return outcome_;
        }
        runTransfer(job);
    } else if (job.func == fo::Delete) {
        runDelete(job);
    } else {
        outcome_.firstError = EINVAL;
    }
    return outcome_;
}

// ---- progress and failures --------------------------------------------------

void FileOpEngine::measure(const FileOpJob& job) {
    long long entries = 0;
    auto weigh = [&](auto& self, const std::string& path) -> long long {
        struct stat st {};
        if (lstatPath(path, st) != 0) return 1;
        if (++entries % 256 == 0 && !ui_.progress(FileOpCallbacks::Phase::Preparing, path, 0, 0))
            abort();
        long long weight = 1;
        if (S_ISREG(st.st_mode)) weight += st.st_size;
        if (S_ISDIR(st.st_mode) && !stopped()) {
            std::vector<std::string> names;
            listNames(path, names);
            for (const auto& n : names) {
                if (stopped()) break;
                weight += self(self, childOf(path, n));
            }
        }
        return weight;
    };
    // A move within one file system is a rename: one step, whatever it holds.
    auto renamed = [&](std::size_t i) {
        struct stat s {}, t {};
        return job.func == fo::Move && lstatPath(job.sources[i], s) == 0 &&
               ::stat(parentOf(job.targets[i]).c_str(), &t) == 0 && s.st_dev == t.st_dev;
    };
    for (std::size_t i = 0; i < job.sources.size(); ++i) {
        weights_.push_back(stopped() || renamed(i) ? 1 : weigh(weigh, job.sources[i]));
        total_ += weights_.back();
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
    if (stopped() || (flags_ & fof::NoErrorUi)) return;
    std::string reason = fileOpErrorText(code);
    if (!detail.empty()) reason += " (" + detail + ")";
    if (!ui_.reportError(path, reason)) abort();
}

// ---- copy and move ----------------------------------------------------------

void FileOpEngine::runTransfer(const FileOpJob& job) {
    const bool move = job.func == fo::Move;
    if (job.countProgress) measure(job);
    long long reached = 0;
    for (std::size_t i = 0; i < job.sources.size() && !stopped(); ++i) {
        const std::string& src = job.sources[i];
        const std::string& dst = job.targets[i];
        if (!actionablePath(src) || !actionablePath(dst))
            fail(src, fileop_error::RootRefused);
        else if (ensureTargetFolder(parentOf(dst)))
            transfer(src, dst, move, true);
        if (job.countProgress) {
            reached += weights_[i];
            done_ = reached;
        }
    }
    removeMovedSources();
}

bool FileOpEngine::ensureTargetFolder(const std::string& folder) {
    if (readyFolders_.count(folder)) return true;
    // A folder that failed once is reported once; its other items are skipped.
    if (failedFolders_.count(folder)) return false;
    int rc = 0;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) rc = fileop_error::NotAFolder;
    } else if (errno != ENOENT) {
        rc = errno;
    } else {
        if (!(flags_ & fof::NoConfirmMkDir) && !ui_.askCreateFolder(folder)) {
            abort();
            return false;
        }
        rc = makeFolders(folder);
    }
    if (rc) {
        failedFolders_.insert(folder);
        fail(folder, rc);
        return false;
    }
    readyFolders_.insert(folder);
    return true;
}

void FileOpEngine::transfer(const std::string& src, std::string dst, bool move, bool topLevel) {
    if (stopped()) return;
    struct stat s {};
    if (int rc = lstatPath(src, s)) {
        fail(src, rc);
        return;
    }
    // Below the top level the target tree is new or already outside.
    if (topLevel && S_ISDIR(s.st_mode) && isSameOrInside(parentOf(dst), src)) {
        fail(src, fileop_error::IntoItself);
        return;
    }
    if (!tick(src)) return;
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool replace = false;
        struct stat d {};
        if (lstatPath(dst, d) == 0) {
            switch (resolveCollision(src, s, dst, d, move)) {
                case Collision::Skip: return;
                case Collision::Merge: copyFolder(src, s, dst, true, move); return;
                case Collision::Replace: replace = true; break;
                case Collision::Renamed: break;
            }
        }
        if (move) {
            const int rc = replace ? renameReplace(src, dst) : renameNoReplace(src, dst);
            if (rc == 0) return;
            if (rc == EEXIST && !replace) continue;  // the name was taken meanwhile
            if (rc != EXDEV) {
                fail(src, rc);
                return;
            }
        }
        if (S_ISDIR(s.st_mode))
            copyFolder(src, s, dst, false, move);
        else
            copyLeaf(src, s, dst, replace, move);
        return;
    }
    fail(src, EEXIST);
}

FileOpEngine::Collision FileOpEngine::resolveCollision(const std::string& src, const struct stat& s,
                                                       std::string& dst, const struct stat& d,
                                                       bool move) {
    const bool srcFolder = S_ISDIR(s.st_mode);
    const bool dstFolder = S_ISDIR(d.st_mode);
    const bool sameFile = s.st_dev == d.st_dev && s.st_ino == d.st_ino;
    if (sameFile && (move || !(flags_ & fof::RenameOnCollision))) {
        fail(src, fileop_error::SameFile);
        return Collision::Skip;
    }
    if (flags_ & fof::RenameOnCollision) {
        const std::string fresh = collisionFreeName(dst, srcFolder, taken);
        if (fresh.empty()) {
            fail(src, fileop_error::NoFreeName);
            return Collision::Skip;
        }
        dst = fresh;
        return Collision::Renamed;
    }
    if (srcFolder && dstFolder) return Collision::Merge;
    if (srcFolder || dstFolder) {
        fail(src, fileop_error::KindMismatch);
        return Collision::Skip;
    }
    if (yesToAll_ || (flags_ & fof::NoConfirmation)) return Collision::Replace;
    switch (ui_.askOverwrite(dst, src)) {
        case FileOpCallbacks::Answer::Yes: return Collision::Replace;
        case FileOpCallbacks::Answer::YesToAll: yesToAll_ = true; return Collision::Replace;
        case FileOpCallbacks::Answer::No: return Collision::Skip;
        case FileOpCallbacks::Answer::Cancel: break;
    }
    abort();
    return Collision::Skip;
}

void FileOpEngine::copyFolder(const std::string& src, const struct stat& s, const std::string& dst,
                              bool targetExists, bool move) {
    if (!targetExists) {
        if (int rc = makeFolder(dst)) {
            fail(src, rc);
            return;
        }
    }
    std::vector<std::string> names;
    if (int rc = listNames(src, names)) {
        fail(src, rc);
    } else {
        for (const auto& n : names) {
            if (stopped()) break;
            transfer(childOf(src, n), childOf(dst, n), move);
        }
    }
    // A folder made here gets its bits and times after its content is in.
    if (!targetExists) copyFolderMetadata(dst, s);
    if (move) removeSourceLater(src, true, 0, {});
}

void FileOpEngine::copyLeaf(const std::string& src, const struct stat& s, std::string dst,
                            bool replace, bool move) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        int rc;
        if (S_ISREG(s.st_mode)) {
            rc = copyFile(src, s, dst, replace, tuning_.chunkBytes,
                          [&](long long bytes) { return tick(src, bytes); });
        } else if (S_ISLNK(s.st_mode)) {
            rc = copyLink(src, s, dst, replace);
        } else {
            rc = fileop_error::SpecialFile;
        }
        if (rc == 0) {
            if (move) removeSourceLater(src, false, s.st_size, parentOf(dst));
            return;
        }
        if (rc == ECANCELED && stopped()) return;
        if (rc != EEXIST || replace) {
            fail(src, rc);
            return;
        }
        // The name was taken while the copy was made: decide again.
        struct stat d {};
        if (lstatPath(dst, d) != 0) continue;
        const Collision c = resolveCollision(src, s, dst, d, false);
        if (c == Collision::Skip || c == Collision::Merge) return;
        replace = c == Collision::Replace;
    }
    fail(src, EEXIST);
}

// Sources of a move across file systems go only once their copies are on the
// device: they are collected and removed after one flush per batch.
void FileOpEngine::removeSourceLater(const std::string& src, bool folder, long long bytes,
                                     const std::string& targetFolder) {
    pending_.push_back({src, folder});
    if (folder) return;
    if (targetFolder != lastTargetFolder_) {
        struct stat st {};
        if (::stat(targetFolder.c_str(), &st) == 0) pendingTargets_.emplace(st.st_dev, targetFolder);
        lastTargetFolder_ = targetFolder;
    }
    pendingBytes_ += bytes;
    ++pendingFiles_;
    if (pendingBytes_ >= tuning_.moveSyncBytes || pendingFiles_ >= tuning_.moveSyncFiles)
        removeMovedSources();
}

void FileOpEngine::removeMovedSources() {
    if (pending_.empty()) return;
    int syncError = 0;
    for (const auto& [dev, folder] : pendingTargets_) {
        (void)dev;
        if (int rc = syncFileSystem(folder)) syncError = rc;
    }
    pendingTargets_.clear();
    lastTargetFolder_.clear();
    pendingBytes_ = 0;
    pendingFiles_ = 0;
    std::vector<PendingRemoval> removals;
    removals.swap(pending_);
    if (syncError) {
        // The copies may not be on the device: every source stays.
        fail(removals.front().path, syncError);
        return;
    }
    for (const auto& r : removals) {
        const int rc = removeEntry(r.path, r.folder);
        // A folder keeps what was skipped or failed, and then stays itself.
        if (rc && !(r.folder && (rc == ENOTEMPTY || rc == EEXIST))) fail(r.path, rc);
    }
}

// ---- delete -----------------------------------------------------------------

void FileOpEngine::runDelete(const FileOpJob& job) {
    const bool toTrash = flags_ & fof::AllowUndo;
    total_ = static_cast<long long>(job.sources.size());
    if (!(flags_ & fof::NoConfirmation) && !job.sources.empty()) {
        const bool go = toTrash ? ui_.confirmTrash(job.sources) : ui_.confirmErase(job.sources);
        if (!go) {
            abort();
            return;
        }
    }
    for (std::size_t i = 0; i < job.sources.size() && !stopped(); ++i) {
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
        if (toTrash)
            trash(path);
        else
            erase(path);
    }
}

void FileOpEngine::trash(const std::string& path) {
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
            case FileOpCallbacks::Answer::No: return;
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
