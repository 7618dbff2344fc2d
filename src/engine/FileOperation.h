// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/FileJob.h"
#include "engine/OperationOptions.h"

class EngineUi;
class IFileSystem;

// The file-operation engine: lists of paths become jobs for the
// file-operation service. It holds no state between calls; every list
// operation returns the number of entries it did not hand on or that the
// service failed or left when cancelled (the not-processed count) and, when
// asked, what became of every entry. It
// tells and asks the user only through ui.
class TFileOperation {
public:
    // Most entries one job may carry.
    static constexpr int MaxEntries = 32768;

    TFileOperation(EngineUi& ui, FileJobRunner& runner, IFileSystem& fs)
        : ui_(ui), runner_(runner), fs_(fs) {}

    // Room reserved for a path list of count entries: 65536 bytes per
    // started 256 entries; 0 (after a message) when count is refused.
    int RequestBufferSize(long long count);

    // Copies or moves the existing files of paths into destinationFolder.
    // When usedTargets is given it receives, per path, the target chosen
    // for it if per-file targets were used or the service had to rename a
    // copy (left empty otherwise). outcome receives one item per path (none
    // when the list was refused): what the service did with it, or Failed
    // for a path that was not handed on.
    int CopyMoveFiles(const std::vector<std::string>& paths, OperationOptions options, bool move,
                      const std::string& destinationFolder,
                      std::vector<std::string>* usedTargets = nullptr, JobOutcome* outcome = nullptr);
    // Collision-free targets in destinationFolder, one per path; an empty
    // target marks a path that found no name. targets stays empty when the
    // folder does not exist. false when the preparation failed.
    bool PrepareUniqueTargets(const std::vector<std::string>& paths,
                              const std::string& destinationFolder,
                              std::vector<std::string>& targets, bool& nameChanged);
    // First of name, base_01.ext, base_02.ext ... that is no file in folder
    // and whose upper case is not in chosen. false when folder is missing.
    // nextTry, kept across the calls of one preparation, remembers per name
    // where the search ended: candidates rejected once stay rejected while
    // chosen only grows, so many equal names cost linear time.
    bool NextFreeName(const std::string& folder, std::string& name,
                      const std::unordered_set<std::string>& chosen, bool& changed,
                      std::unordered_map<std::string, std::uint32_t>* nextTry = nullptr);
    // Copies or moves paths[k] to targets[k]. Of options only the progress
    // title of SimpleProgress applies: the service asks before replacing,
    // creating folders and after failures.
    int CopyMoveToTargets(const std::vector<std::string>& paths,
                          const std::vector<std::string>& targets, OperationOptions options,
                          bool move, JobOutcome* outcome = nullptr);
    // To the trash, or erased for good after warnings about system, hidden
    // and read-only files. No option applies.
    int DeleteFiles(const std::vector<std::string>& paths, bool erase, JobOutcome* outcome = nullptr);
    // 0 when the folder was deleted, 1 when folder is no existing folder, 2
    // when the job left it (cancelled, skipped or failed).
    int DeleteFolder(const std::string& folder, bool erase);

    // Set or clear the hidden (hidden) or read-only bit of every path;
    // missing receives how many paths were no existing files.
    int SetAttribute(const std::vector<std::string>& paths, bool hidden, int& missing);
    int ClearAttribute(const std::vector<std::string>& paths, bool hidden, int& missing);

    EngineUi& ui() { return ui_; }
    IFileSystem& fileSystem() { return fs_; }

    // An existing file (or link) that a job may carry.
    bool isExistingFile(const std::string& path);

private:
    int changeAttribute(const std::vector<std::string>& paths, bool hidden, bool on, int& missing);
    int nothingFound(int notProcessed, std::size_t pathCount, JobOutcome* outcome);
    // Every path stayed where it was: one Failed item each.
    static int noneHandedOn(int notProcessed, std::size_t pathCount, JobOutcome* outcome);
    // Runs job for the entries of paths at handedOn; the outcome has one
    // item per path. The entries the job failed or cancelled are added to
    // notProcessed.
    JobOutcome run(const FileJob& job, const std::vector<std::size_t>& handedOn, std::size_t pathCount,
                   int& notProcessed);
    // Runs collect; a failure is reported and ends the list operation.
    template <typename Collect>
    bool collectGuarded(Collect collect);

    EngineUi& ui_;
    FileJobRunner& runner_;
    IFileSystem& fs_;
};
