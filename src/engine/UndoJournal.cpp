// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The journal's folder, its entries and their limits; the recorder of a
// running command and the writer of an undo's or redo's results.
#include "engine/UndoJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "engine/PosixFileOps.h"
#include "engine/UndoRecords.h"
#include "util/IniFileIo.h"

namespace {

constexpr const char* kSuffix = ".undo";

std::string entryName(std::uint64_t seq) {
    std::string digits = std::to_string(seq);
    return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits + kSuffix;
}

// The sequence number of an entry's file name; 0 for any other name.
std::uint64_t seqOf(const std::string& name) {
    const std::string suffix = kSuffix;
    if (name.size() != 10 + suffix.size() || name.compare(10, suffix.size(), suffix) != 0) return 0;
    std::uint64_t seq = 0;
    for (std::size_t i = 0; i < 10; ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        seq = seq * 10 + std::uint64_t(name[i] - '0');
    }
    return seq;
}

UndoRecord headerRecord(const std::string& command) {
    UndoRecord r;
    r.type = UndoRecordType::Header;
    r.command = command;
    r.time = std::int64_t(std::time(nullptr));
    return r;
}

}  // namespace

// ---- the recorder of one command ----------------------------------------------

class UndoJournal::CommandRecorder : public UndoRecorder {
public:
    CommandRecorder(UndoJournal& journal, std::string command)
        : journal_(journal), command_(std::move(command)) {}

    std::size_t record(const UndoItem& item) override {
        std::lock_guard lock(journal_.mutex_);
        const std::size_t index = count_++;
        if (truncated_) return index;
        UndoRecord r;
        r.type = UndoRecordType::Item;
        r.item = item;
        std::string bytes = encodeUndoRecord(r);
        if (fd_.get() < 0) {
            if (!open()) return index;
            bytes = std::string(kUndoMagic) + encodeUndoRecord(headerRecord(command_)) + bytes;
        } else if (journal_.entries_.back().items >= journal_.maxItems_) {
            truncated_ = true;
            r.type = UndoRecordType::Truncated;
            journal_.writeRecord(fd_.get(), encodeUndoRecord(r));
            return index;
        } else {
            journal_.makeRoom(0, 1, seq_);
        }
        if (journal_.writeRecord(fd_.get(), bytes)) ++journal_.entries_.back().items;
        return index;
    }

    void withdraw(std::size_t index) override {
        std::lock_guard lock(journal_.mutex_);
        if (fd_.get() < 0 || truncated_) return;
        UndoRecord r;
        r.type = UndoRecordType::Withdraw;
        r.index = index;
        if (journal_.writeRecord(fd_.get(), encodeUndoRecord(r)) && journal_.entries_.back().items > 0)
            --journal_.entries_.back().items;
    }

    void flush() override {
        std::lock_guard lock(journal_.mutex_);
        if (fd_.get() >= 0 && ::fdatasync(fd_.get()) != 0) journal_.writeFailed_ = true;
    }

private:
    bool open() {
        if (opened_) return false;
        opened_ = true;
        if (posixops::makeFolders(journal_.folder_)) {
            journal_.writeFailed_ = true;
            return false;
        }
        journal_.makeRoom(1, 1, 0);
        seq_ = journal_.nextSeq_++;
        const std::string path = posixops::childOf(journal_.folder_, entryName(seq_));
        fd_.reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
        if (fd_.get() < 0) {
            journal_.writeFailed_ = true;
            return false;
        }
        // The entry's name reaches the device with its first flush.
        UniqueFd folder(::open(journal_.folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() >= 0) ::fsync(folder.get());
        UndoEntryInfo info;
        info.seq = seq_;
        info.path = path;
        info.command = command_;
        info.time = std::int64_t(std::time(nullptr));
        journal_.entries_.push_back(info);
        return true;
    }

    UndoJournal& journal_;
    std::string command_;
    UniqueFd fd_;
    std::uint64_t seq_ = 0;
    std::size_t count_ = 0;
    bool opened_ = false;
    bool truncated_ = false;
};

// ---- the results of an undo or redo -------------------------------------------

class UndoJournal::PhaseWriter : public UndoJournal::Phase {
public:
    PhaseWriter(UndoJournal& journal, UniqueFd fd) : journal_(journal), fd_(std::move(fd)) {}
    ~PhaseWriter() override { flush(); }

    void result(std::size_t index, const UndoItem& item, bool back) override {
        UndoRecord r;
        r.type = UndoRecordType::Result;
        r.index = index;
        r.back = back;
        r.item = item;
        std::lock_guard lock(journal_.mutex_);
        journal_.writeRecord(fd_.get(), encodeUndoRecord(r));
    }
    void flush() override {
        std::lock_guard lock(journal_.mutex_);
        if (::fdatasync(fd_.get()) != 0) journal_.writeFailed_ = true;
    }

private:
    UndoJournal& journal_;
    UniqueFd fd_;
};

// ---- the journal ------------------------------------------------------------

UndoJournal::UndoJournal(std::string folder, std::size_t maxEntries, std::size_t maxItems)
    : folder_(std::move(folder)), maxEntries_(maxEntries), maxItems_(maxItems) {}

UndoJournal::~UndoJournal() = default;

std::string UndoJournal::defaultFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state && *state == '/') base = state;
    else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/state";
    else base = "/tmp";
    return base + "/dorvanquellis/undo";
}

std::vector<std::string> UndoJournal::load() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    std::vector<std::string> aside;
    std::vector<std::pair<std::uint64_t, std::string>> found;
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (const std::uint64_t seq = seqOf(e->d_name)) found.emplace_back(seq, e->d_name);
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end());
    for (const auto& [seq, name] : found) {
        nextSeq_ = std::max(nextSeq_, seq + 1);
        const std::string path = posixops::childOf(folder_, name);
        std::string bytes;
        UndoEntry entry;
        if (readWholeFile(path, bytes) != FileReadResult::Read) continue;
        const EntryReadStatus status = readUndoEntry(bytes, entry);
        if (status == EntryReadStatus::Damaged) {
            std::string asideAs;
            setAside(path, &asideAs);
            aside.push_back(asideAs);
            continue;
        }
        if (status == EntryReadStatus::Empty || entry.count() == 0) {
            ::unlink(path.c_str());
            continue;
        }
        entries_.push_back({seq, path, entry.command, entry.time, entry.count(), entry.undone});
    }
    return aside;
}

std::vector<UndoEntryInfo> UndoJournal::entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::optional<UndoEntryInfo> UndoJournal::nextUndo() const {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (!it->undone) return *it;
    return std::nullopt;
}

std::optional<UndoEntryInfo> UndoJournal::nextRedo() const {
    std::lock_guard lock(mutex_);
    std::optional<UndoEntryInfo> redo;
    for (auto it = entries_.rbegin(); it != entries_.rend() && it->undone; ++it) redo = *it;
    return redo;
}

bool UndoJournal::read(const UndoEntryInfo& info, UndoEntry& entry, std::string* asideAs) {
    std::string bytes;
    if (readWholeFile(info.path, bytes) != FileReadResult::Read) return false;
    if (readUndoEntry(bytes, entry) == EntryReadStatus::Ok) return true;
    std::lock_guard lock(mutex_);
    setAside(info.path, asideAs);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const UndoEntryInfo& e) { return e.seq == info.seq; }),
                   entries_.end());
    return false;
}

void UndoJournal::beginCommand(const std::string& command) {
    command_ = std::make_unique<CommandRecorder>(*this, command);
}

void UndoJournal::endCommand() {
    if (command_) command_->flush();
    command_.reset();
}

UndoRecorder* UndoJournal::recorder() { return command_.get(); }

std::unique_ptr<UndoJournal::Phase> UndoJournal::beginPhase(const UndoEntryInfo& info,
                                                            const UndoEntry& entry, bool undo) {
    UniqueFd fd(::open(info.path.c_str(), O_WRONLY | O_CLOEXEC));
    std::lock_guard lock(mutex_);
    // A torn last record goes first, so that what follows is read again.
    if (fd.get() < 0 || ::ftruncate(fd.get(), off_t(entry.validBytes)) != 0 ||
        ::lseek(fd.get(), 0, SEEK_END) < 0) {
        writeFailed_ = true;
        return nullptr;
    }
    UndoRecord r;
    r.type = undo ? UndoRecordType::Undo : UndoRecordType::Redo;
    r.time = std::int64_t(std::time(nullptr));
    if (!writeRecord(fd.get(), encodeUndoRecord(r))) return nullptr;
    for (UndoEntryInfo& e : entries_)
        if (e.seq == info.seq) e.undone = undo;
    return std::make_unique<PhaseWriter>(*this, std::move(fd));
}

bool UndoJournal::takeWriteFailure() {
    std::lock_guard lock(mutex_);
    return std::exchange(writeFailed_, false);
}

void UndoJournal::makeRoom(std::size_t entriesToAdd, std::size_t itemsToAdd, std::uint64_t keep) {
    if (entriesToAdd) {
        // A new command: what was undone can no longer be redone.
        for (std::size_t i = entries_.size(); i-- > 0;)
            if (entries_[i].undone) removeEntry(i);
        while (!entries_.empty() && entries_.size() + entriesToAdd > maxEntries_) removeEntry(0);
    }
    std::size_t total = 0;
    for (const UndoEntryInfo& e : entries_) total += e.items;
    while (total + itemsToAdd > maxItems_ && !entries_.empty() && entries_.front().seq != keep) {
        total -= entries_.front().items;
        removeEntry(0);
    }
}

void UndoJournal::removeEntry(std::size_t index) {
    ::unlink(entries_[index].path.c_str());
    entries_.erase(entries_.begin() + std::ptrdiff_t(index));
}

bool UndoJournal::writeRecord(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            writeFailed_ = true;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

void UndoJournal::setAside(const std::string& path, std::string* asideAs) {
    std::string target = path + ".damaged";
    for (int n = 2; posixops::renameNoReplace(path, target) == EEXIST && n < 100; ++n)
        target = path + ".damaged" + std::to_string(n);
    if (asideAs) *asideAs = target;
}
