// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/UndoItem.h"

#include <atomic>

FileState fileStateOf(const struct stat& st, bool stableIdentity) {
    FileState s;
    s.dev = std::uint64_t(st.st_dev);
    s.ino = std::uint64_t(st.st_ino);
    s.size = std::uint64_t(st.st_size);
    s.mtimeSec = std::int64_t(st.st_mtim.tv_sec);
    s.mtimeNsec = std::int64_t(st.st_mtim.tv_nsec);
    s.mode = std::uint32_t(st.st_mode);
    s.stableIdentity = stableIdentity;
    return s;
}

FileState currentState(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return {};
    return fileStateOf(st);
}

bool sameObjectState(const FileState& was, const FileState& now) {
    if (!was.present() || !now.present()) return false;
    if ((was.mode & S_IFMT) != (now.mode & S_IFMT) || was.dev != now.dev) return false;
    return !was.stableIdentity || was.ino == now.ino;
}

bool sameState(const FileState& was, const FileState& now) {
    if (!sameObjectState(was, now)) return false;
    // A folder's times change with what it holds.
    if (was.isFolder()) return true;
    return was.size == now.size && was.mtimeSec == now.mtimeSec && was.mtimeNsec == now.mtimeNsec;
}

namespace {
std::atomic<UndoRecorder*> g_recorder{nullptr};
}  // namespace

UndoRecorder* currentUndoRecorder() { return g_recorder.load(); }

CurrentUndoRecorder::CurrentUndoRecorder(UndoRecorder* recorder) : saved_(g_recorder.exchange(recorder)) {}

CurrentUndoRecorder::~CurrentUndoRecorder() { g_recorder.store(saved_); }
