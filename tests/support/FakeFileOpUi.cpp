// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/FakeFileOpUi.h"

#include <gtest/gtest.h>

namespace {

template <class T>
T next(std::deque<T>& answers, T careful, const char* what) {
    if (answers.empty()) {
        ADD_FAILURE() << "unanswered file-operation question: " << what;
        return careful;
    }
    T a = answers.front();
    answers.pop_front();
    return a;
}

}  // namespace

IFileOpUi::Answer FakeFileOpUi::askOverwrite(const std::string& target, const std::string& source) {
    questions.push_back({Kind::Overwrite, {target, source}, {}});
    return next(overwriteAnswers, Answer::Cancel, "overwrite");
}

bool FakeFileOpUi::askCreateFolder(const std::string& folder) {
    questions.push_back({Kind::CreateFolder, {folder}, {}});
    return next(createFolderAnswers, false, "create folder");
}

IFileOpUi::ErrorChoice FakeFileOpUi::reportError(const std::string& path, const QString& reason) {
    questions.push_back({Kind::Error, {path}, reason});
    return next(errorAnswers, ErrorChoice::Cancel, "error");
}

bool FakeFileOpUi::confirmTrash(const std::vector<std::string>& paths) {
    questions.push_back({Kind::Trash, paths, {}});
    return next(trashAnswers, false, "trash");
}

bool FakeFileOpUi::confirmErase(const std::vector<std::string>& paths) {
    questions.push_back({Kind::Erase, paths, {}});
    return next(eraseAnswers, false, "erase");
}

IFileOpUi::Answer FakeFileOpUi::confirmDeletePermanently(const std::string& path) {
    questions.push_back({Kind::DeletePermanently, {path}, {}});
    return next(deletePermanentlyAnswers, Answer::No, "delete permanently");
}

void FakeFileOpUi::progressBegin(QWidget*, const QString& t, bool s) {
    ++begins;
    title = t;
    simple = s;
}

void FakeFileOpUi::progressUpdate(const QString& action, const std::string& path, long long,
                                  long long) {
    ++updates;
    actions << action;
    updatedPaths.push_back(path);
    if (onUpdate) onUpdate();
}

bool FakeFileOpUi::cancelRequested() {
    return cancelAfterUpdates >= 0 && updates >= cancelAfterUpdates;
}

void FakeFileOpUi::progressEnd() { ++ends; }

void FakeFileOpUi::reset() { *this = FakeFileOpUi(); }

std::size_t FakeFileOpUi::count(Kind kind) const {
    std::size_t n = 0;
    for (const auto& q : questions) n += q.kind == kind;
    return n;
}
