#pragma once

#include <string>
#include <vector>

#include <QString>

class QWidget;

// The dialogs of the file-operation service: questions it asks and the
// progress it shows. All calls happen on the user-interface thread.
class IFileOpUi {
public:
    enum class Overwrite { Yes, YesToAll, No, Cancel };
    enum class ErrorChoice { Skip, Cancel };

    virtual ~IFileOpUi() = default;

    // target exists; replace it with source?
    virtual Overwrite askOverwrite(const std::string& target, const std::string& source) = 0;
    // The target folder is missing; create it? false cancels the operation.
    virtual bool askCreateFolder(const std::string& folder) = 0;
    // An item failed; skip it and go on, or cancel the rest.
    virtual ErrorChoice reportError(const std::string& path, const QString& reason) = 0;
    // Move these items to the trash?
    virtual bool confirmTrash(const std::vector<std::string>& paths) = 0;
    // The trash cannot take path; delete it for good? (No keeps it.)
    virtual bool confirmDeletePermanently(const std::string& path) = 0;

    // Progress: begin shows a modal progress dialog over owner (unless the
    // service runs silent); update may be called often; cancelRequested is
    // polled; end closes the dialog.
    virtual void progressBegin(QWidget* owner, const QString& title, bool simple) = 0;
    virtual void progressUpdate(const QString& action, const std::string& path,
                                long long done, long long total) = 0;
    virtual bool cancelRequested() = 0;
    virtual void progressEnd() = 0;
};
