// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/core/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string home;
int tempCounter = 0;

void makeWritable(const fs::path& root) {
    std::error_code ec;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    if (!fs::is_directory(fs::symlink_status(root, ec))) return;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (ec) break;
        if (!fs::is_symlink(it->symlink_status(ec)))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
}

}  // namespace

const std::string& testHome() { return home; }

void setTestHome(const std::string& h) { home = h; }

// A process started again by a test of this process (a death test's child,
// which ends through _exit or a signal) makes its home inside this one's,
// so that it goes when this process removes its own.
constexpr char ParentHomeVariable[] = "DORVAN_TEST_PARENT_HOME";

std::string makeTestHome() {
    std::string pattern = "/tmp/dorvan-test-XXXXXX";
    const char* parent = ::getenv(ParentHomeVariable);
    std::error_code ec;
    if (parent && *parent && fs::is_directory(parent, ec)) pattern = std::string(parent) + "/child-XXXXXX";
    const char* dir = ::mkdtemp(pattern.data());
    if (!dir) return {};
    home = dir;
    ::setenv(ParentHomeVariable, home.c_str(), 1);
    ::setenv("HOME", home.c_str(), 1);
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const std::string sub = home + "/" + var;
        fs::create_directories(sub);
        ::setenv(var, sub.c_str(), 1);
    }
    const std::string runtime = home + "/runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    return home;
}

TempDir::TempDir() {
    path_ = home + "/t" + std::to_string(::getpid()) + "_" + std::to_string(++tempCounter);
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    makeWritable(path_);
    fs::remove_all(path_, ec);
    if (!ec) return;
    // Trees deeper than PATH_MAX (walk tests make them) need a remover that
    // descends by descriptors: rm does.
    char rm[] = "rm", flags[] = "-rf", oneFs[] = "--one-file-system";
    char* argv[] = {rm, flags, oneFs, path_.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "rm", nullptr, nullptr, argv, environ) == 0) ::waitpid(pid, nullptr, 0);
}

std::string TempDir::operator/(const std::string& relative) const { return path_ + "/" + relative; }

std::string TempDir::write(const std::string& relative, const std::string& content) const {
    const std::string full = *this / relative;
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out << content;
    return full;
}

std::string TempDir::mkdir(const std::string& relative) const {
    const std::string full = *this / relative;
    fs::create_directories(full);
    return full;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool ownerWritable(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR);
}
