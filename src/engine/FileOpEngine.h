#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

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

struct FileOpJob {
    unsigned func = 0;                 // fo::Copy, fo::Move or fo::Delete
    unsigned flags = 0;                // fof:: bits
    std::vector<std::string> sources;
    std::vector<std::string> targets;  // one full target path per source (copy, move)
    bool countProgress = true;         // measure the work first for the progress bar
};

struct FileOpTuning {
    std::size_t chunkBytes = std::size_t(8) << 20;       // progress and cancel granularity
    long long moveSyncBytes = 256LL << 20;               // moved data flushed before sources go
    std::size_t moveSyncFiles = 1000;
};

struct FileOpOutcome {
    int firstError = 0;     // errno value or fileop_error code; 0 when all went well
    bool aborted = false;   // the user cancelled, or said No where that stops everything
};

// Copies, moves and deletes the items of one job, asking through callbacks.
class FileOpEngine {
public:
    FileOpEngine(FileOpCallbacks& ui, ITrash* trash, FileOpTuning tuning = {});
    FileOpOutcome run(const FileOpJob& job);

private:
    enum class Collision { Replace, Renamed, Merge, Skip };

    // copy and move
    void runTransfer(const FileOpJob& job);
    bool ensureTargetFolder(const std::string& folder);
    void transfer(const std::string& src, std::string dst, bool move, bool topLevel = false);
    Collision resolveCollision(const std::string& src, const struct stat& s, std::string& dst,
                               const struct stat& d, bool move);
    void copyFolder(const std::string& src, const struct stat& s, const std::string& dst,
                    bool targetExists, bool move);
    void copyLeaf(const std::string& src, const struct stat& s, std::string dst, bool replace,
                  bool move);
    void removeSourceLater(const std::string& src, bool folder, long long bytes,
                           const std::string& targetFolder);
    void removeMovedSources();

    // delete
    void runDelete(const FileOpJob& job);
    void erase(const std::string& path);
    void trash(const std::string& path);

    // progress, failures
    void measure(const FileOpJob& job);
    bool tick(const std::string& path, long long amount = 1);
    void fail(const std::string& path, int code, const std::string& detail = {});
    void abort() { outcome_.aborted = true; }
    bool stopped() const { return outcome_.aborted; }

    FileOpCallbacks& ui_;
    ITrash* trash_;
    FileOpTuning tuning_;
    unsigned flags_ = 0;
    FileOpOutcome outcome_;
    bool yesToAll_ = false;
    bool deleteAllPermanently_ = false;
    std::set<std::string> readyFolders_;
    std::set<std::string> failedFolders_;
    std::vector<long long> weights_;   // per top-level source
    long long done_ = 0;
    long long total_ = 0;

    struct PendingRemoval {
        std::string path;
        bool folder;
    };
    std::vector<PendingRemoval> pending_;
    std::map<dev_t, std::string> pendingTargets_;  // one folder per target file system
    std::string lastTargetFolder_;
    long long pendingBytes_ = 0;
    std::size_t pendingFiles_ = 0;
};
