#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "platform/IFileOperationService.h"
#include "platform/linux/FileOperationService.h"
#include "support/TestEnvironment.h"

// Runs the real service on real temporary folders; every dialog is the
// scripted fakeFileOpUi(). Progress is shown at every file and chunk.
class FileServiceTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        service.setProgressInterval(std::chrono::milliseconds(0));
    }

    int perform(unsigned func, const std::vector<std::string>& from,
                const std::vector<std::string>& to, unsigned flags) {
        FileOpRequest request;
        request.func = func;
        request.from = joinDoubleNulList(from);
        if (!to.empty()) request.to = joinDoubleNulList(to);
        request.flags = flags;
        request.progressTitle = title;
        const int rc = service.perform(request);
        aborted = request.anyOperationsAborted;
        return rc;
    }
    int copy(const std::vector<std::string>& from, const std::string& folder, unsigned flags) {
        return perform(fo::Copy, from, {folder}, flags);
    }
    int move(const std::vector<std::string>& from, const std::string& folder, unsigned flags) {
        return perform(fo::Move, from, {folder}, flags);
    }

    FileOperationService service;
    TempDir dir;
    QString title;
    bool aborted = false;
};

// Flags that keep every dialog away.
inline constexpr unsigned Quiet = fof::Silent | fof::NoConfirmation | fof::NoConfirmMkDir;

struct stat statOf(const std::string& path);
// Names in folder, sorted, without "." and "..".
std::vector<std::string> namesIn(const std::string& folder);
void setMtime(const std::string& path, long sec, long nsec);

// A tmpfs of the given size on a fresh folder, for a second file system or a
// full disk; skip() is true when it cannot be mounted (not root).
class TmpfsMount {
public:
    TmpfsMount(const std::string& where, const std::string& size);
    ~TmpfsMount();
    bool skip() const { return !mounted_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool mounted_ = false;
};

// Fails the test and unblocks the FIFO at path should anything still wait on
// it when the guard is destroyed or after a few seconds.
class FifoGuard {
public:
    explicit FifoGuard(std::string fifo);
    ~FifoGuard();
    bool timedOut() const { return timedOut_; }

private:
    std::string fifo_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::atomic<bool> timedOut_{false};
    std::thread watcher_;
};
