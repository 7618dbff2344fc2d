#pragma once

#include "platform/IFileOpUi.h"

// The file-operation service's Japanese dialogs.
class QtFileOpUi : public IFileOpUi {
public:
    Overwrite askOverwrite(const std::string& target, const std::string& source) override;
    bool askCreateFolder(const std::string& folder) override;
    ErrorChoice reportError(const std::string& path, const QString& reason) override;
    bool confirmTrash(const std::vector<std::string>& paths) override;
    bool confirmDeletePermanently(const std::string& path) override;
    void progressBegin(QWidget* owner, const QString& title, bool simple) override;
    void progressUpdate(const QString& action, const std::string& path, long long done,
                        long long total) override;
    bool cancelRequested() override;
    void progressEnd() override;
};
