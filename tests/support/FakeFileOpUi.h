// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "platform/IFileOpUi.h"
#include "engine/ITrash.h"

// The file-operation service's dialogs, scripted: every question is recorded
// with its paths and answered from the matching queue; a question without a
// scripted answer fails the test (and gets the most careful answer).
class FakeFileOpUi : public IFileOpUi {
public:
    enum class Kind { Overwrite, CreateFolder, Error, Trash, Erase, DeletePermanently };
    struct Question {
        Kind kind;
        std::vector<std::string> paths;  // overwrite: target, source
        QString reason;                  // errors only
    };

    Answer askOverwrite(const std::string& target, const std::string& source) override;
    bool askCreateFolder(const std::string& folder) override;
    ErrorChoice reportError(const std::string& path, const QString& reason) override;
    bool confirmTrash(const std::vector<std::string>& paths) override;
    bool confirmErase(const std::vector<std::string>& paths) override;
    Answer confirmDeletePermanently(const std::string& path) override;
    void progressBegin(QWidget* owner, const QString& title, bool simple) override;
    void progressUpdate(const QString& action, const std::string& path, long long done,
                        long long total) override;
    bool cancelRequested() override;
    void progressEnd() override;

    void reset();
    std::size_t count(Kind kind) const;

    std::vector<Question> questions;
    std::deque<Answer> overwriteAnswers;
    std::deque<bool> createFolderAnswers;
    std::deque<ErrorChoice> errorAnswers;
    std::deque<bool> trashAnswers;
    std::deque<bool> eraseAnswers;
    std::deque<Answer> deletePermanentlyAnswers;

    // Progress as the service showed it.
    int begins = 0;
    int ends = 0;
    QString title;
    bool simple = false;
    int updates = 0;
    std::vector<std::string> updatedPaths;
    QStringList actions;
    // Runs at every update, while the service's worker waits.
    std::function<void()> onUpdate;
    // cancelRequested() turns true once this many updates were shown (-1: never).
    int cancelAfterUpdates = -1;
};

// A trash that records what it is given and answers with result; Trashed
// really removes nothing, so tests can check that the item is still there.
class FakeTrash : public ITrash {
public:
    Result moveToTrash(const std::string& path, std::string& reason) override {
        calls.push_back(path);
        if (result == Result::Failed) reason = "fake failure";
        return result;
    }
    Result result = Result::NotSupported;
    std::vector<std::string> calls;
};
