// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include "engine/FileJob.h"
#include "engine/PosixFileOps.h"
#include "engine/ReplaceBatch.h"

class ITrash;

// What the engine asks and tells while it works. The service answers on the
// user-interface thread; the engine itself runs on any thread.
class FileOpCallbacks {
public:
    enum class Answer { Yes, YesToAll, No, Cancel };
    enum class Phase { Preparing, Working };

    virtual ~FileOpCallbacks() = default;
    virtual Answer askOverwrite(const std::string& target, const std::string& source) = 0;
    virtual bool askCreateFolder(const std::string& folder) = 0;
    // reason is Japanese UTF-8 text; true skips the item, false cancels.
    virtual bool reportError(const std::string& path, const std::string& reason) = 0;
    virtual bool confirmTrash(const std::vector<std::string>& paths) = 0;
    virtual bool confirmErase(const std::vector<std::string>& paths) = 0;
    virtual Answer confirmDeletePermanently(const std::string& path) = 0;
    // May be called very often; false when the user cancelled.
    virtual bool progress(Phase phase, const std::string& path, long long done, long long total) = 0;
};

struct FileOpTuning {
    std::size_t chunkBytes = std::size_t(8) << 20;       // progress and cancel granularity
    long long moveSyncBytes = 256LL << 20;               // moved data flushed before sources go,
    std::size_t moveSyncFiles = 1000;                    // and replacements put in place
    // Our temporary files changed before this are crash leftovers (0: when
    // this process started).
    std::time_t leftoversBefore = 0;
};

// Copies, moves and deletes the items of one job, asking through callbacks.
// Folders are walked through descriptors: each one is opened relative to its
// open parent and never through a path that another program could change.
class JobExecutor {
public:
    JobExecutor(FileOpCallbacks& ui, ITrash* trash, FileOpTuning tuning = {});
    // Every source and target as given (no trailing "/"); the outcome has
    // one item per source. Silent jobs are not measured for progress.
    JobOutcome run(const FileJob& job);

    // Stops the run at its next step, as a cancel in the progress dialog
    // does; callable from any thread. keepMovedSources: sources of a move
    // whose copies are complete stay too (no flush is waited for).
    void cancel(bool keepMovedSources = false);

private:
    enum class Collision { Replace, Renamed, Merge, Skip };

    // An open folder of the walk.
    struct Folder {
        int fd;
        std::string path;
        struct stat st;
        bool ours = false;  // made, or moved in whole, by this job
    };
    using Identity = std::pair<dev_t, ino_t>;

    // A listed item's folder, kept open for the items after it.
    struct OpenFolder {
        posixops::DirFd fd;
        Folder folder{-1, {}, {}};
    };

    // copy and move
    int openListedFolder(OpenFolder& cache, const std::string& path);
    void runTransfer(const FileJob& job);
    bool ensureTargetFolder(const std::string& folder);
    // known: the source's lstat, when sourceAsExpected just took it.
    void transferItem(const std::string& src, const std::string& dst, bool move,
                      const struct stat* known = nullptr);
    // src is in the state expected (s: its lstat); else the item fails.
    bool sourceAsExpected(const std::string& src, const FileState& expected, struct stat& s);
    // known: the source's lstat, when it was just taken.
    void transfer(const Folder& from, const std::string& name, const Folder& to, std::string dstName,
                  bool move, const struct stat* known = nullptr);
    Collision resolveCollision(const Folder& from, const std::string& name, const struct stat& s,
                               const Folder& to, std::string& dstName, const struct stat& d, bool move);
    // name in to (d: its lstat) was written by an earlier item of this job.
    bool writtenByJob(const Folder& to, const std::string& name, const struct stat& d);
    // The file or link name in to (st: its lstat) was written by this job.
    void noteWritten(const Folder& to, const std::string& name, const struct stat& st);
    void noteMadeFolder(const std::string& path, const struct stat& st);
    const posixops::FileSystemTraits& traitsOf(const Folder& folder);
    void copyFolder(const Folder& from, const std::string& name, const struct stat& s, const Folder& to,
                    const std::string& dstName, bool targetExists, bool move);
    void copyLeaf(const Folder& from, const std::string& name, const struct stat& s, const Folder& to,
                  std::string dstName, bool replace, bool move);
    void removeSourceLater(const Folder& from, const std::string& name, const struct stat& checked,
                           bool folder, long long bytes, const Folder* target);
    void removeMovedSources();
    // Puts the staged replacements in place (see ReplaceBatch); on
    // termination they are dropped and their items cancelled.
    void commitReplacements();
    // st is a moved source that is still to be removed.
    bool awaitsRemoval(const struct stat& st) const;
    void cleanLeftovers(const Folder& folder);

    // delete
    void runDelete(const FileJob& job);
    void erase(const std::string& path);
    void trash(const std::string& path);

    // progress, failures
    void measure(const FileJob& job, const std::vector<std::string>& targets);
    long long weigh(int dir, const std::string& name, const std::string& path, long long& entries,
                    bool listed = false);
    bool tick(const std::string& path, long long amount = 1);
    void fail(const std::string& path, int code, const std::string& detail = {});
    // The current item was left alone at the user's word.
    void skip();
    void abort() { outcome_.cancelled = true; }
    bool stopped();
    // undo journal
    std::size_t record(UndoItem item);
    void recordMadeFolders(const std::vector<std::string>& made);

    FileOpCallbacks& ui_;
    ITrash* trash_;
    FileOpTuning tuning_;
    JobOptions options_;
    UndoRecorder* recorder_ = nullptr;
    JobOutcome outcome_;
    std::size_t item_ = 0;  // the listed item being worked on
    int depth_ = 0;         // folders entered below it
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> keepMovedSources_{false};
    bool yesToAll_ = false;
    bool deleteAllPermanently_ = false;
    bool unnamedRefused_ = false;
    bool listedFolder_ = false;  // the next folder copied is a listed one
    std::set<std::string> readyFolders_;
    std::map<std::string, int> failedFolders_;  // with the reason they failed
    std::set<Identity> cleanedFolders_;
    // What this job wrote: a later item never replaces it.
    std::set<Identity> written_;
    std::set<std::string> writtenPaths_;
    std::set<Identity> madeFolders_;
    std::set<std::string> madeFolderPaths_;
    std::map<dev_t, posixops::FileSystemTraits> traits_;
    std::map<dev_t, bool> exclusiveOnly_;  // per target device, see CopyOptions
    OpenFolder fromFolder_, toFolder_;
    std::vector<long long> weights_;   // per top-level source
    long long done_ = 0;
    long long total_ = 0;

    // Copies that replace files, written and waiting to be put in place.
    ReplaceBatch replacements_;
    std::vector<posixops::CheckedEntry> pending_;
    std::vector<std::size_t> pendingItems_;  // the listed item of each pending removal
    // One open folder per target file system, opened before the data was
    // written: flushing it reports every write error since.
    std::map<dev_t, posixops::DirFd> pendingTargets_;
    long long pendingBytes_ = 0;
    std::size_t pendingFiles_ = 0;
};
