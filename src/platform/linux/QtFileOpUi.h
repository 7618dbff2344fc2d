#pragma once

#include <QPointer>

#include "platform/IFileOpUi.h"

class QProgressDialog;

// The file-operation service's Japanese dialogs.
class QtFileOpUi : public IFileOpUi {
public:
    ~QtFileOpUi() override;
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

private:
    QPointer<QProgressDialog> progress_;
    bool simple_ = false;
    QString title_;
};
