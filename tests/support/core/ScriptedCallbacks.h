// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/JobExecutor.h"
#include "engine/ITrash.h"

// The engine's questions, scripted: every question is recorded with its
// paths and answered from the matching queue; a question without a scripted
// answer fails the test (and gets the most careful answer). Progress is seen
// at every call unless the job is silent.
class ScriptedCallbacks : public FileOpCallbacks {
public:
    enum class Kind { Overwrite, CreateFolder, Error, Trash, Erase, DeletePermanently };
    enum class ErrorChoice { Skip, Cancel };
    struct Question {
        Kind kind;
        std::vector<std::string> paths;  // overwrite: target, source
        std::string reason;              // errors only
    };

    Answer askOverwrite(const std::string& target, const std::string& source) override {
        questions.push_back({Kind::Overwrite, {target, source}, {}});
        return next(overwriteAnswers, Answer::Cancel, "overwrite");
    }
    bool askCreateFolder(const std::string& folder) override {
        questions.push_back({Kind::CreateFolder, {folder}, {}});
        return next(createFolderAnswers, false, "create folder");
    }
    bool reportError(const std::string& path, const std::string& reason) override {
        questions.push_back({Kind::Error, {path}, reason});
        return next(errorAnswers, ErrorChoice::Cancel, "error") == ErrorChoice::Skip;
    }
    bool confirmTrash(const std::vector<std::string>& paths) override {
        questions.push_back({Kind::Trash, paths, {}});
        return next(trashAnswers, false, "trash");
    }
    bool confirmErase(const std::vector<std::string>& paths) override {
        questions.push_back({Kind::Erase, paths, {}});
        return next(eraseAnswers, false, "erase");
    }
    Answer confirmDeletePermanently(const std::string& path) override {
        questions.push_back({Kind::DeletePermanently, {path}, {}});
        return next(deletePermanentlyAnswers, Answer::No, "delete permanently");
    }
    bool progress(Phase, const std::string& path, long long, long long) override {
        if (!showProgress) return true;
        ++updates;
        updatedPaths.push_back(path);
        if (onUpdate) onUpdate();
        return !(cancelAfterUpdates >= 0 && updates >= cancelAfterUpdates);
    }

    void reset() { *this = ScriptedCallbacks(); }
    std::size_t count(Kind kind) const {
        std::size_t n = 0;
        for (const auto& q : questions) n += q.kind == kind;
        return n;
    }

    std::vector<Question> questions;
    std::deque<Answer> overwriteAnswers;
    std::deque<bool> createFolderAnswers;
    std::deque<ErrorChoice> errorAnswers;
    std::deque<bool> trashAnswers;
    std::deque<bool> eraseAnswers;
    std::deque<Answer> deletePermanentlyAnswers;

    bool showProgress = true;  // false while a silent job runs
    int updates = 0;
    std::vector<std::string> updatedPaths;
    // Runs at every progress call, on the engine's thread.
    std::function<void()> onUpdate;
    // Progress answers "cancel" once this many updates were seen (-1: never).
    int cancelAfterUpdates = -1;

private:
    template <class T>
    static T next(std::deque<T>& answers, T careful, const char* what) {
        if (answers.empty()) {
            ADD_FAILURE() << "unanswered file-operation question: " << what;
            return careful;
        }
        T a = answers.front();
        answers.pop_front();
        return a;
    }
};

// A trash that records what it is given and answers with result; Trashed
// really removes nothing, so tests can check that the item is still there.
class ScriptedTrash : public ITrash {
public:
    Result moveToTrash(const std::string& path, std::string& reason) override {
        calls.push_back(path);
        if (result == Result::Failed) reason = "scripted failure";
        return result;
    }
    Result result = Result::NotSupported;
    std::vector<std::string> calls;
};
