// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Soak.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Platform.h"
#include "rename/BulkRename.h"
#include "support/core/TestFiles.h"
#include "util/PathText.h"

namespace fs = std::filesystem;

namespace {

std::uint64_t hashOf(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

// path with control and non-ASCII bytes escaped.
std::string printable(const std::string& path) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string s;
    for (const unsigned char c : path) {
        if (c >= 0x20 && c < 0x7f) s += char(c);
        else s += std::string("\\x") + hex[c >> 4] + hex[c & 15];
    }
    return s;
}

bool isFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::size_t countMissing(const std::vector<std::string>& list) {
    return std::size_t(std::count_if(list.begin(), list.end(), [](const auto& p) { return !isFile(p); }));
}

// Entries the job did not carry out: the missing ones, and those it failed
// (with a reason) or left when cancelled; an erase answered No is neither.
std::size_t notCarriedOut(std::size_t missing, const JobOutcome& outcome) {
    return missing + std::size_t(std::count_if(outcome.items.begin(), outcome.items.end(), [](const ItemOutcome& i) {
               return i.status == ItemStatus::Cancelled || (i.status == ItemStatus::Failed && i.reason != 0);
           }));
}

char statusLetter(ItemStatus s) {
    switch (s) {
        case ItemStatus::Done: return 'D';
        case ItemStatus::Skipped: return 'S';
        case ItemStatus::Failed: return 'F';
        case ItemStatus::Cancelled: break;
    }
    return 'C';
}

std::string describe(const std::string& what, const std::vector<std::string>& list,
                     const JobOutcome* outcome) {
    std::string s = what + ":";
    for (std::size_t k = 0; k < list.size(); ++k) {
        s += " " + printable(list[k]);
        if (!outcome || k >= outcome->items.size()) continue;
        const ItemOutcome& item = outcome->items[k];
        s += std::string(" [") + statusLetter(item.status);
        if (item.reason) s += " " + std::to_string(item.reason);
        s += "]";
    }
    return s;
}

OperationOptions randomOptions(Dice& dice) {
    OperationOptions options;
    for (const OperationOption o :
         {OperationOption::NonConfirmation, OperationOption::NonConfirmMkDir, OperationOption::NoErrorUi,
          OperationOption::RenameOnCollision, OperationOption::Silent, OperationOption::SimpleProgress})
        options.set(o, dice.chance(0.5));
    return options;
}

const std::vector<std::string> Names = {"photo.jpg", "Photo.JPG", "notes.txt", "report final.doc",
                                        "new\nline.txt", "-dash", "\xff\xfe.bin", ".dot", "data", "a.b.c"};

void removeAll(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
}

// false when the file could not be written whole (it is gone then).
bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    if (out << content && out.flush()) return true;
    out.close();
    ::unlink(path.c_str());
    return false;
}

std::string homeTrash() { return std::string(std::getenv("XDG_DATA_HOME")) + "/Trash"; }

}  // namespace

Soak::Soak(std::string work, std::string other, std::ostream& log, bool trace)
    : work_(std::move(work)), other_(std::move(other)), log_(log), trace_(trace) {}

void Soak::runSequence(std::uint64_t seed) {
    seed_ = seed;
    dice_.seed(seed);
    steps_.clear();
    reported_ = false;
    ledger_.clear();
    trashed_.clear();
    folders_.clear();
    removeAll(work_ + "/s");
    removeAll(homeTrash());
    if (!other_.empty()) {
        removeAll(other_ + "/s");
        removeAll(other_ + "/.Trash-" + std::to_string(::getuid()));
    }
    Platform replacement;
    replacement.fileOpUi = &dialogs_;
    ScopedPlatform scoped(replacement);
    generate();
    if (trace_) log_ << "sequence " << seed << "\n";
    const std::size_t count = 3 + dice_.below(8);
    for (std::size_t i = 0; i < count; ++i) {
        messages_.reports.clear();
        try {
            step();
        } catch (const std::exception& e) {
            finding(std::string("exception: ") + e.what());
        }
        if (trace_ && !steps_.empty()) log_ << "  " << shortened(steps_.back()) << "\n";
        for (const std::string& report : messages_.reports) finding("failure report: " + report);
        ++figures_.operations;
        verify();
    }
    ++figures_.sequences;
}

void Soak::generate() {
    const std::string root = work_ + "/s";
    folders_ = {root + "/a", root + "/a/deep", root + "/b", root + "/c"};
    if (!other_.empty()) folders_.push_back(other_ + "/s/x");
    for (const std::string& f : folders_) fs::create_directories(f);
    std::mt19937_64 bytes(dice_.below(1ull << 62));
    const std::size_t count = 6 + dice_.below(9);
    for (std::size_t i = 0; i < count; ++i) {
        std::string path = pickFolder() + "/" + dice_.pick(Names);
        if (exists(path) || !fs::is_directory(folderPart(path))) path = dice_.pick(folders_) + "/f" + std::to_string(i);
        std::string content = "seed " + std::to_string(seed_) + " file " + std::to_string(i) + "\n";
        const std::size_t size = dice_.chance(0.1) ? 0 : dice_.below(48 * 1024);
        for (std::size_t k = 0; k < size; ++k) content += char(bytes());
        const bool readOnly = dice_.chance(0.15);
        if (!writeFile(path, content)) continue;  // the small file system is full
        if (readOnly) ::chmod(path.c_str(), 0444);
        ledger_[path] = hashOf(content);
    }
}

std::string Soak::pickFolder() {
    const std::string& folder = dice_.pick(folders_);
    return dice_.chance(0.15) ? folder + "/new" + std::to_string(dice_.below(3)) : folder;
}

Soak::Paths Soak::pickList() {
    Paths known;
    for (const auto& [path, hash] : ledger_) known.push_back(path);
    Paths list;
    const std::size_t count = known.empty() ? 0 : 1 + dice_.below(std::min<std::size_t>(5, known.size()));
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = k + dice_.below(known.size() - k);
        std::swap(known[k], known[at]);
        list.push_back(known[k]);
    }
    if (list.empty() || dice_.chance(0.1)) list.push_back(dice_.pick(folders_) + "/gone");
    if (dice_.chance(0.1)) list.push_back(dice_.pick(folders_));
    return list;
}

void Soak::step() {
    const Paths list = pickList();
    const std::size_t kind = dice_.below(100);
    if (kind < 20) transfer(false, list);
    else if (kind < 40) transfer(true, list);
    else if (kind < 52) transferToTargets(dice_.chance(0.5), list);
    else if (kind < 64) remove(false, list);
    else if (kind < 74) remove(true, list);
    else if (kind < 88) rename(list);
    else attribute(list);
}

void Soak::transfer(bool move, const Paths& list) {
    const std::string destination = pickFolder();
    const OperationOptions options = randomOptions(dice_);
    const std::size_t missing = countMissing(list);
    Paths used;
    JobOutcome outcome;
    dialogs_.replaceable.clear();
    dialogs_.yesToAll = false;
    const int notProcessed = engine_.CopyMoveFiles(list, options, move, destination, &used, &outcome);
    steps_.push_back(describe(std::string(move ? "move" : "copy") + " to " + printable(destination) +
                                  " options " + std::to_string(options.bits()),
                              list, &outcome));
    settle(move, list, missing, notProcessed, outcome, [&](std::size_t k) {
        return used.empty() ? joinPath(destination, fileNamePart(list[k])) : used[k];
    }, options.has(OperationOption::NonConfirmation));
}

void Soak::transferToTargets(bool move, const Paths& list) {
    Paths targets;
    for (std::size_t k = 0; k < list.size(); ++k) {
        std::string target = pickFolder() + "/" + (dice_.chance(0.5) ? fileNamePart(list[k]) : dice_.pick(Names));
        if (std::find(targets.begin(), targets.end(), target) != targets.end()) target += "_" + std::to_string(k);
        targets.push_back(target);
    }
    const std::size_t missing = countMissing(list);
    JobOutcome outcome;
    dialogs_.replaceable.clear();
    dialogs_.yesToAll = false;
    const int notProcessed = engine_.CopyMoveToTargets(list, targets, randomOptions(dice_), move, &outcome);
    steps_.push_back(describe(std::string(move ? "move" : "copy") + " to targets", list, &outcome) +
                     describe(", targets", targets, nullptr));
    // Per-file targets are always asked for.
    settle(move, list, missing, notProcessed, outcome, [&](std::size_t k) { return targets[k]; }, false);
}

void Soak::settle(bool move, const Paths& list, std::size_t missing, int notProcessed,
                  const JobOutcome& outcome, const std::function<std::string(std::size_t)>& wentTo,
                  bool noConfirmation) {
    if (std::size_t(notProcessed) != notCarriedOut(missing, outcome))
        finding("not-processed count " + std::to_string(notProcessed) + ", missing " + std::to_string(missing));
    std::set<std::string> written;  // by this job
    takeDone(list, outcome, [&](std::size_t k, Hash hash) {
        const std::string target = wentTo(k);
        if (written.count(target))
            finding("replaced what the same job had written: " + printable(target));
        else if (ledger_.count(target) && !noConfirmation && !dialogs_.yesToAll &&
                 !dialogs_.replaceable.count(target))
            finding("replaced without a yes: " + printable(target));
        written.insert(target);
        if (!move) ledger_[list[k]] = hash;
        ledger_[target] = hash;
    });
}

void Soak::takeDone(const Paths& list, const JobOutcome& outcome,
                    const std::function<void(std::size_t, Hash)>& done) {
    if (outcome.items.size() != list.size()) return finding("no outcome per entry");
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (outcome.items[k].status != ItemStatus::Done) continue;
        const auto source = ledger_.find(list[k]);
        if (source == ledger_.end()) {
            finding("done, but no file was there: " + printable(list[k]));
            continue;
        }
        const Hash hash = source->second;
        ledger_.erase(source);
        done(k, hash);
    }
}

void Soak::remove(bool erase, const Paths& list) {
    dialogs_.deletedForGood.clear();
    const std::size_t missing = countMissing(list);
    JobOutcome outcome;
    const int notProcessed = engine_.DeleteFiles(list, erase, &outcome);
    steps_.push_back(describe(erase ? "erase" : "trash", list, &outcome));
    // Cancelling at an erase warning counts every entry.
    if (std::size_t(notProcessed) != notCarriedOut(missing, outcome) &&
        !(erase && std::size_t(notProcessed) == list.size()))
        finding("not-processed count " + std::to_string(notProcessed) + ", missing " + std::to_string(missing));
    takeDone(list, outcome, [&](std::size_t k, Hash hash) {
        if (!erase && !dialogs_.deletedForGood.count(list[k])) trashed_.insert(hash);
    });
}

void Soak::rename(const Paths& list) {
    const bool serial = dice_.chance(0.5);
    const NameRule rule = serial ? serialNameRule({dice_.pick(Paths{"IMG", "ren ", "-x"}),
                                                   dice_.pick(Paths{"001", "7", ""})},
                                                  list.size())
                                 : extensionRule(dice_.pick(Paths{".txt", ".JPG", ".a b", ".moved"}));
    const NameProbe probe{[this](const std::string& p) { return fs_.fileExists(p); },
                          [this](const std::string& p) { return fs_.fileExists(p) || fs_.directoryExists(p); }};
    const std::size_t missing = countMissing(list);
    const std::vector<PlannedName> plan = planRenames(list, rule, probe);
    const RenameCounts counts = carryOut(list, plan);
    // Everything before the entry that failed was carried out.
    const std::size_t stop = list.size() - std::size_t(counts.unhandled);
    Paths done;
    for (std::size_t i = 0; i < stop && i < plan.size(); ++i) {
        if (plan[i].step != PlannedName::Step::Rename) continue;
        done.push_back(plan[i].target);
        const auto source = ledger_.find(list[i]);
        if (source == ledger_.end()) {
            finding("renamed, but no file was there: " + printable(list[i]));
            continue;
        }
        const Hash hash = source->second;
        ledger_.erase(source);
        ledger_[plan[i].target] = hash;
    }
    steps_.push_back(describe(std::string(serial ? "serial rename" : "extension change") + " of " +
                                  std::to_string(list.size()) + ", unhandled " +
                                  std::to_string(counts.unhandled) + ", to",
                              done, nullptr));
    if (counts.unhandled == 0 && std::size_t(counts.missing) != missing)
        finding("missing count " + std::to_string(counts.missing) + ", missing " + std::to_string(missing));
}

void Soak::attribute(const Paths& list) {
    const bool hidden = dice_.chance(0.5), on = dice_.chance(0.5);
    const std::size_t missing = countMissing(list);
    int notFound = 0;
    const int notProcessed = on ? engine_.SetAttribute(list, hidden, notFound)
                                : engine_.ClearAttribute(list, hidden, notFound);
    steps_.push_back(describe(std::string(on ? "set " : "clear ") + (hidden ? "hidden" : "read-only") +
                                  ", not processed " + std::to_string(notProcessed),
                              list, nullptr));
    if (std::size_t(notFound) != missing)
        finding("missing count " + std::to_string(notFound) + ", missing " + std::to_string(missing));
    if (notProcessed != notFound) return;
    const unsigned bit = hidden ? attr::Hidden : attr::ReadOnly;
    for (const std::string& p : list) {
        if (!isFile(p)) continue;
        const std::optional<unsigned> bits = fs_.attributes(p);
        if (!bits || ((*bits & bit) != 0) != on) finding("attribute not as reported: " + printable(p));
    }
}

void Soak::verify() {
    for (const auto& [path, hash] : ledger_) {
        ++figures_.filesChecked;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) finding("gone: " + printable(path));
        else if (!S_ISREG(st.st_mode)) finding("not a file: " + printable(path));
        else if (hashOf(readFile(path)) != hash) finding("other content: " + printable(path));
    }
    scanForStrangers(work_ + "/s");
    if (!other_.empty()) scanForStrangers(other_ + "/s");
    // The trashes hold exactly what was trashed.
    std::multiset<Hash> inTrash;
    Paths trashes = {homeTrash() + "/files"};
    if (!other_.empty()) trashes.push_back(other_ + "/.Trash-" + std::to_string(::getuid()) + "/files");
    for (const std::string& t : trashes) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(t, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_regular_file()) inTrash.insert(hashOf(readFile(it->path().string())));
    }
    if (inTrash != trashed_)
        finding("the trash holds " + std::to_string(inTrash.size()) + " items, " +
                std::to_string(trashed_.size()) + " were trashed");
}

void Soak::scanForStrangers(const std::string& root) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const std::string path = it->path().string();
        if (it->is_directory(ec) && !it->is_symlink(ec)) continue;
        if (fileNamePart(path) == ".hidden") continue;  // the hidden attribute's list
        if (!ledger_.count(path)) finding("not in the ledger: " + printable(path));
    }
}

void Soak::finding(const std::string& what) {
    ++figures_.findings;
    if (!reported_) {
        reported_ = true;
        log_ << "finding in the sequence of seed " << seed_ << " (replay: scripts/soak.sh " << seed_
             << " 1), after:\n";
        if (!trace_)
            for (const std::string& s : steps_) log_ << "  " << shortened(s) << "\n";
    }
    log_ << "  FINDING " << shortened(what) << "\n";
}

std::string Soak::shortened(std::string line) const {
    for (const auto& [root, shown] : {std::pair{work_ + "/s/", std::string("~/")}, {other_ + "/s/", std::string("other:")}}) {
        if (root == "/s/") continue;
        for (std::size_t at = line.find(root); at != std::string::npos; at = line.find(root, at))
            line.replace(at, root.size(), shown);
    }
    return line;
}
