// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/FileJob.h"
#include "engine/OperationOptions.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QStringList>

class TFileOperation;

// The count lines a copy or move reports: duplicates, then the entries that
// were not processed, each only when there were some.
QStringList countLines(int duplicates, int notProcessed);

// Clearing the read-only attribute of the copies of read-only sources. The
// copies' paths are held in the scratch list (OpenDialogListBox) from before
// the request until they are cleared; the list is empty again on every way
// out of a run that filled it.
class ReadOnlyCopies {
public:
    explicit ReadOnlyCopies(std::vector<std::string>& scratch) : scratch_(scratch) {}
    ~ReadOnlyCopies();
    ReadOnlyCopies(const ReadOnlyCopies&) = delete;
    ReadOnlyCopies& operator=(const ReadOnlyCopies&) = delete;

    // Puts targetOf(k) of every read-only sources[k] into the scratch list.
    // When another command holds the list, it only notes whether a read-only
    // source was among them.
    void collect(const std::vector<std::string>& sources,
                 const std::function<std::string(std::size_t)>& targetOf);
    // After a request over count sources: when nothing was handed on (the
    // list was refused or no source was found), no copy exists whose
    // attribute to clear.
    void requestDone(std::size_t count, int notProcessed);
    // The copies went elsewhere: usedTargets[k] is where sources[k] went
    // (empty: nowhere).
    void retarget(const std::vector<std::string>& usedTargets);
    // Only the copies the service made stay collected: a target the user
    // chose to keep, or that failed, keeps its attribute.
    void keepDone(const JobOutcome& outcome);
    // Clears the collected copies, after the question when the options ask
    // for it, adds the line that tells what failed, and releases the list.
    void finish(QStringList& summary, OperationOptions options, TFileOperation& engine);

private:
    // The held copies again into the scratch list.
    void publish();

    struct Copy {
        std::size_t source;  // index of the read-only source
        std::string target;
    };
    std::vector<std::string>& scratch_;
    std::vector<Copy> copies_;
    bool held_ = false;
    bool busy_ = false;
};
