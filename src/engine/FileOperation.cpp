// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The file operation's copy and move: a command's list becomes one FileJob
// (CopyMoveFiles, CopyMoveToTargets), which run() hands to the runner (the
// service and its JobExecutor) and maps back onto the list; DeleteFolder.
// The deletion of lists is in FileDeletion.cpp, unique targets in
// UniqueTargets.cpp, attributes in FileAttributes.cpp.
#include "engine/FileOperation.h"

#include <algorithm>
#include <exception>

#include "engine/EngineUi.h"
#include "engine/IFileSystem.h"
#include "util/PathText.h"

template <typename Collect>
bool TFileOperation::collectGuarded(Collect collect) {
    try {
        collect();
        return true;
    } catch (const std::exception& e) {
        ui_.errorReport(e.what());
    } catch (...) {
        ui_.errorReport("Unknown exception");
    }
    return false;
}

bool TFileOperation::isExistingFile(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos && fs_.fileExists(path);
}

int TFileOperation::RequestBufferSize(long long count) {
    if (count < 1) {
        ui_.notice("ファイルが指定されていません。");
        return 0;
    }
    if (count > MaxEntries) {
        ui_.notice("許容数(" + std::to_string(MaxEntries) + ")を超えています。");
        return 0;
    }
    return int((count + 255) / 256) * 65536;
}

int TFileOperation::noneHandedOn(int notProcessed, std::size_t pathCount, JobOutcome* outcome) {
    if (outcome) outcome->items.assign(pathCount, ItemOutcome{ItemStatus::Failed, 0});
    return notProcessed;
}

int TFileOperation::nothingFound(int notProcessed, std::size_t pathCount, JobOutcome* outcome) {
    ui_.notice("ファイルが見つかりませんでした。");
    return noneHandedOn(notProcessed, pathCount, outcome);
}

JobOutcome TFileOperation::run(const FileJob& job, const std::vector<std::size_t>& handedOn,
                               std::size_t pathCount, int& notProcessed) {
    const JobOutcome result = runner_.run(job);
    // What failed or what a cancel left is not processed either; what the
    // user chose to keep (Skipped) is.
    notProcessed += int(result.count(ItemStatus::Failed) + result.count(ItemStatus::Cancelled));
    JobOutcome outcome;
    outcome.cancelled = result.cancelled;
    outcome.firstError = result.firstError;
    outcome.items.assign(pathCount, ItemOutcome{ItemStatus::Failed, 0});
    for (std::size_t k = 0; k < handedOn.size() && k < result.items.size(); ++k)
        outcome.items[handedOn[k]] = result.items[k];
    return outcome;
}

int TFileOperation::CopyMoveFiles(const std::vector<std::string>& paths, OperationOptions options,
                                  bool move, const std::string& destinationFolder,
                                  std::vector<std::string>* usedTargets, JobOutcome* outcome) {
    if (usedTargets) usedTargets->clear();
    if (outcome) *outcome = {};
    // The limit is checked first so that an oversized list costs no search.
    if (RequestBufferSize((long long)paths.size()) == 0) return 0;
    if (options.has(OperationOption::RenameOnCollision)) {
        std::vector<std::string> targets;
        bool nameChanged = false;
        if (!PrepareUniqueTargets(paths, destinationFolder, targets, nameChanged))
            return int(paths.size());
        if (nameChanged) {
            if (usedTargets) *usedTargets = targets;
            return CopyMoveToTargets(paths, targets, options, move, outcome);
        }
    }
    const JobSettings settings = jobSettingsFor(options);
    FileJob job;
    job.kind = move ? JobKind::Move : JobKind::Copy;
    job.targetFolder = destinationFolder;
    job.options = settings.options;
    job.progressTitle = settings.progressTitle;
    std::vector<std::size_t> handedOn;
    int notProcessed = 0;
    const bool collected = collectGuarded([&] {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            if (isExistingFile(paths[k])) {
                job.sources.push_back(paths[k]);
                handedOn.push_back(k);
            } else {
                ++notProcessed;
            }
        }
    });
    if (!collected) return noneHandedOn(notProcessed, paths.size(), outcome);
    if (job.sources.empty()) return nothingFound(notProcessed, paths.size(), outcome);
    const JobOutcome result = run(job, handedOn, paths.size(), notProcessed);
    // Where the service had to pick another name, the copies went elsewhere.
    const bool renamed = std::any_of(result.items.begin(), result.items.end(),
                                     [](const ItemOutcome& i) { return !i.target.empty(); });
    if (usedTargets && renamed) {
        usedTargets->assign(paths.size(), std::string());
        for (const std::size_t k : handedOn)
            (*usedTargets)[k] = result.items[k].target.empty()
                                    ? joinPath(destinationFolder, fileNamePart(paths[k]))
                                    : result.items[k].target;
    }
    if (outcome) *outcome = result;
    return notProcessed;
}

int TFileOperation::CopyMoveToTargets(const std::vector<std::string>& paths,
                                      const std::vector<std::string>& targets,
                                      OperationOptions options, bool move, JobOutcome* outcome) {
    if (outcome) *outcome = {};
    if (RequestBufferSize((long long)paths.size()) == 0) return 0;
    FileJob job;
    job.kind = move ? JobKind::Move : JobKind::Copy;
    job.progressTitle = jobSettingsFor(options).progressTitle;
    std::vector<std::size_t> handedOn;
    int notProcessed = 0;
    const bool collected = collectGuarded([&] {
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const std::string target = k < targets.size() ? targets[k] : std::string();
            if (isExistingFile(paths[k]) && !target.empty() &&
                target.find('\0') == std::string::npos) {
                job.sources.push_back(paths[k]);
                job.targets.push_back(target);
                handedOn.push_back(k);
            } else {
                ++notProcessed;
            }
        }
    });
    if (!collected) return noneHandedOn(notProcessed, paths.size(), outcome);
    if (job.sources.empty()) return nothingFound(notProcessed, paths.size(), outcome);
    const JobOutcome result = run(job, handedOn, paths.size(), notProcessed);
    if (outcome) *outcome = result;
    return notProcessed;
}

int TFileOperation::DeleteFolder(const std::string& folder, bool erase) {
    if (folder.empty() || folder.find('\0') != std::string::npos || !fs_.directoryExists(folder)) {
        ui_.notice("フォルダが見つかりませんでした。");
        return 1;
    }
    FileJob job;
    job.kind = erase ? JobKind::Erase : JobKind::Trash;
    job.sources = {folder};
    if (erase) job.options = {JobOption::NoConfirmation};
    const JobOutcome result = runner_.run(job);
    const bool deleted = !result.cancelled && result.count(ItemStatus::Done) == 1;
    return deleted ? 0 : 2;
}
