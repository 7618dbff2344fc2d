// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/core/MatrixMount.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr long FuseMagic = 0x65735546;

// Runs a program with its arguments, its output discarded; true on success.
bool runQuietly(const std::vector<std::string>& argv) {
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

MatrixMount::MatrixMount(Kind kind, const std::string& where) : path_(where + "/mnt") {
    std::filesystem::create_directories(path_);
    if (::geteuid() != 0) {
        why_ = "mounting needs root";
        return;
    }
    switch (kind) {
        case Kind::Tmpfs:
            mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64m,mode=0755") == 0;
            if (!mounted_) why_ = "tmpfs could not be mounted";
            break;
        case Kind::Xfs: mountImage("mkfs.xfs", "300M", where); break;  // its smallest size
        case Kind::Btrfs: mountImage("mkfs.btrfs", "120M", where); break;
        case Kind::Fuse: mountFuse(true, where); break;
        case Kind::FuseNoLinks: mountFuse(false, where); break;
    }
}

void MatrixMount::mountImage(const char* mkfs, const std::string& size, const std::string& where) {
    const std::string image = where + "/image";
    if (!runQuietly({"truncate", "-s", size, image}) || !runQuietly({mkfs, "-q", "-f", image})) {
        why_ = std::string(mkfs) + " is missing or failed (scripts/install-deps.sh test installs it)";
        return;
    }
    // mount -o loop takes a free loop device and frees it at the unmount.
    mounted_ = runQuietly({"mount", "-o", "loop", image, path_});
    if (!mounted_) why_ = std::string("the image of ") + mkfs + " could not be loop-mounted";
}

void MatrixMount::mountFuse(bool links, const std::string& where) {
#ifdef DORVAN_TEST_PASSFS
    const std::string backing = where + "/backing";
    std::filesystem::create_directories(backing);
    const pid_t parent = ::getpid();
    fuse_ = ::fork();
    if (fuse_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(1);
        std::freopen("/dev/null", "w", stdout);
        const char* program = DORVAN_TEST_PASSFS;
        if (links) ::execl(program, program, backing.c_str(), path_.c_str(), nullptr);
        else ::execl(program, program, "--no-links", backing.c_str(), path_.c_str(), nullptr);
        ::_exit(127);
    }
    for (int i = 0; i < 500 && fuse_ > 0; ++i) {
        struct statfs fs {};
        if (::statfs(path_.c_str(), &fs) == 0 && fs.f_type == FuseMagic) {
            mounted_ = true;
            return;
        }
        if (::waitpid(fuse_, nullptr, WNOHANG) == fuse_) fuse_ = -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    why_ = "the FUSE pass-through did not mount (needs /dev/fuse)";
#else
    (void)links;
    (void)where;
    why_ = "built without fuse3 (libfuse3-dev)";
#endif
}

MatrixMount::~MatrixMount() {
    if (mounted_ && ::umount2(path_.c_str(), 0) != 0) ::umount2(path_.c_str(), MNT_DETACH);
    if (fuse_ > 0) {
        // The unmount ends the pass-through; a signal if it did not.
        bool ended = false;
        for (int i = 0; i < 200 && !ended; ++i) {
            ended = ::waitpid(fuse_, nullptr, WNOHANG) == fuse_;
            if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!ended && ::kill(fuse_, SIGTERM) == 0) ::waitpid(fuse_, nullptr, 0);
    }
}
