// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QString>

class QWidget;

// The dialogs of the file-operation service: questions it asks and the
// progress it shows. All calls happen on the user-interface thread.
class IFileOpUi {
public:
    enum class Answer { Yes, YesToAll, No, Cancel };
    using Overwrite = Answer;
    enum class ErrorChoice { Skip, Cancel };

    virtual ~IFileOpUi() = default;

    // target exists; replace it with source?
    virtual Answer askOverwrite(const std::string& target, const std::string& source) = 0;
    // The target folder is missing; create it? false cancels the operation.
    virtual bool askCreateFolder(const std::string& folder) = 0;
    // An item failed; skip it and go on, or cancel the rest. reason is a
    // Japanese sentence.
    virtual ErrorChoice reportError(const std::string& path, const QString& reason) = 0;
    // Move these items to the trash?
    virtual bool confirmTrash(const std::vector<std::string>& paths) = 0;
    // Delete these items for good (no trash)?
    virtual bool confirmErase(const std::vector<std::string>& paths) = 0;
    // The trash cannot take path; delete it for good? No keeps it, YesToAll
    // answers Yes for the rest of the operation, Cancel stops it.
    virtual Answer confirmDeletePermanently(const std::string& path) = 0;

    // Progress: begin shows a modal progress dialog over owner (unless the
    // service runs silent); simple hides file names. update is called at
    // most a few times a second; done and total are work units (total 0:
    // unknown); cancelRequested is polled after every update; end closes it.
    virtual void progressBegin(QWidget* owner, const QString& title, bool simple) = 0;
    virtual void progressUpdate(const QString& action, const std::string& path,
                                long long done, long long total) = 0;
    virtual bool cancelRequested() = 0;
    virtual void progressEnd() = 0;
};
