// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FaultFixture.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include <QCoreApplication>

#include "engine/PosixFileOps.h"
#include "util/PathText.h"

namespace {

// Mounts made by these tests vanish with the process, whatever ends it.
const bool privateMounts = enterPrivateMountNamespace();

// Drops, for the calling thread only, the capabilities that let root pass
// over permission bits.
bool dropFileCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0) return false;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    return ::syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

std::optional<std::string> stateOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    if (S_ISREG(st.st_mode)) return "file:" + readFile(path);
    if (S_ISLNK(st.st_mode)) {
        std::string text(std::size_t(st.st_size) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        text.resize(n < 0 ? 0 : std::size_t(n));
        return "link:" + text;
    }
    if (S_ISDIR(st.st_mode)) return "folder";
    return "special:" + std::to_string(st.st_mode & S_IFMT);
}

Statuses Report::statuses() const {
    Statuses s;
    for (const ItemOutcome& i : outcome.items) s.push_back(i.status);
    return s;
}

void FaultTest::SetUp() {
    PlatformTest::SetUp();
    service.setProgressInterval(std::chrono::milliseconds(0));
    (void)privateMounts;
}

void FaultTest::remember(const Paths& paths) {
    for (const std::string& p : paths) before_[p] = stateOf(p);
}

void FaultTest::runEngine(const std::function<void()>& call) {
    if (prepare) prepare();
    if (asOwner) ownerRulesApplied = asPlainOwner(call);
    else call();
}

Report FaultTest::copyMove(JobKind kind, const Paths& paths, const std::string& destination,
                           OperationOptions options) {
    Report r;
    r.kind = kind;
    r.paths = paths;
    before_.clear();
    remember(paths);
    for (const std::string& p : paths) remember({joinPath(destination, fileNamePart(p))});
    runEngine([&] {
        r.notProcessed = engine.CopyMoveFiles(paths, options, kind == JobKind::Move, destination,
                                              &r.targets, &r.outcome);
    });
    if (r.targets.empty())
        for (const std::string& p : paths) r.targets.push_back(joinPath(destination, fileNamePart(p)));
    return r;
}

Report FaultTest::toTargets(JobKind kind, const Paths& paths, const Paths& targets) {
    Report r;
    r.kind = kind;
    r.paths = paths;
    r.targets = targets;
    before_.clear();
    remember(paths);
    remember(targets);
    runEngine([&] {
        r.notProcessed = engine.CopyMoveToTargets(paths, targets, {}, kind == JobKind::Move, &r.outcome);
    });
    return r;
}

Report FaultTest::remove(JobKind kind, const Paths& paths) {
    Report r;
    r.kind = kind;
    r.paths = paths;
    before_.clear();
    remember(paths);
    fakeFileOpUi().trashAnswers.push_back(true);
    runEngine([&] { r.notProcessed = engine.DeleteFiles(paths, kind == JobKind::Erase, &r.outcome); });
    fakeFileOpUi().trashAnswers.clear();
    return r;
}

bool FaultTest::trashHolds(const std::string& state) const {
    namespace fs = std::filesystem;
    Paths roots = trashes;
    roots.push_back(std::string(std::getenv("XDG_DATA_HOME")) + "/Trash/files");
    for (const std::string& root : roots) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (stateOf(it->path().string()) == state) return true;
    }
    return false;
}

void FaultTest::expectTruthful(const Report& r) {
    ASSERT_EQ(r.outcome.items.size(), r.paths.size());
    // What every remembered path must hold now, by the report alone, item
    // after item (a later item may take the name an earlier one left).
    std::map<std::string, std::optional<std::string>> expected = before_;
    Paths trashed;
    for (std::size_t k = 0; k < r.paths.size(); ++k) {
        if (r.outcome.items[k].status != ItemStatus::Done) continue;
        const std::string& source = r.paths[k];
        const auto known = expected.find(source);
        const std::optional<std::optional<std::string>> content =
            known == expected.end() ? std::nullopt : std::optional(known->second);
        if (r.kind == JobKind::Copy || r.kind == JobKind::Move) {
            if (content) expected[r.targets.at(k)] = *content;
            else expected.erase(r.targets.at(k));
        }
        if (r.kind == JobKind::Trash && content && *content) trashed.push_back(**content);
        if (r.kind != JobKind::Copy) expected[source] = std::nullopt;
    }
    for (const auto& [path, state] : expected) EXPECT_EQ(stateOf(path), state) << path;
    for (const std::string& state : trashed) EXPECT_TRUE(trashHolds(state)) << state;
    // Nothing half-written is left where copies were made.
    for (const std::string& target : r.targets) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(posixops::parentOf(target), ec))
            EXPECT_FALSE(posixops::isOurTemporaryName(e.path().filename().string())) << e.path();
    }
}

bool FaultTest::asPlainOwner(const std::function<void()>& work) {
    const std::string probe = dir.write("permission-probe", "x");
    ::chmod(probe.c_str(), 0);
    std::atomic<bool> done{false};
    bool applies = false;
    std::thread worker([&] {
        if (dropFileCapabilities()) {
            const int fd = ::open(probe.c_str(), O_RDONLY | O_CLOEXEC);
            applies = fd < 0 && errno == EACCES;
            if (fd >= 0) ::close(fd);
        }
        if (applies) work();
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    ::unlink(probe.c_str());
    return applies;
}
