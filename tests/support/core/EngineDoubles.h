// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/EngineUi.h"
#include "engine/FileJob.h"

// Records what the engine tells and asks; answers from a script. A question
// without a scripted answer fails the test.
class RecordingEngineUi : public EngineUi {
public:
    void notice(const std::string& text) override {
        texts.push_back(text);
        questions.push_back(std::nullopt);
    }
    Answer ask(const std::string& text, Question question) override {
        texts.push_back(text);
        questions.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unanswered question: " << text;
            return question == Question::YesNo ? Answer::No : Answer::Cancel;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void errorReport(const std::string& text) override { reports.push_back(text); }

    std::vector<std::string> texts;                    // notices and questions, in order
    std::vector<std::optional<Question>> questions;    // nothing for a notice
    std::deque<Answer> answers;
    std::vector<std::string> reports;
};

// Records every job; optionally carries it out with plain file-system calls
// (copy overwrites, trash and erase remove for good) so that commands can be
// checked by their results. Every item is reported done.
class RecordingJobRunner : public FileJobRunner {
public:
    JobOutcome run(const FileJob& job) override {
        calls.push_back(job);
        if (onPerform) onPerform(calls.back());
        if (performForReal) carryOut(calls.back());
        JobOutcome outcome;
        outcome.items.assign(job.sources.size(), ItemOutcome{});
        for (std::size_t k = 0; k < statuses.size() && k < outcome.items.size(); ++k)
            outcome.items[k].status = statuses[k];
        return outcome;
    }

    std::vector<FileJob> calls;
    std::vector<ItemStatus> statuses;  // reported for the first items (else Done)
    bool performForReal = true;
    // Runs while the service "works", before anything is carried out.
    std::function<void(const FileJob&)> onPerform;

private:
    static void carryOut(const FileJob& job) {
        namespace fs = std::filesystem;
        std::error_code ec;
        const std::vector<std::string> targets = job.resolvedTargets();
        for (std::size_t k = 0; k < job.sources.size(); ++k) {
            const std::string& source = job.sources[k];
            if (job.kind == JobKind::Trash || job.kind == JobKind::Erase) {
                fs::remove_all(source, ec);
            } else if (job.kind == JobKind::Copy) {
                fs::copy(source, targets[k],
                         fs::copy_options::overwrite_existing | fs::copy_options::copy_symlinks, ec);
            } else {
                fs::rename(source, targets[k], ec);
            }
        }
    }
};
