#include "platform/linux/QtFileOpUi.h"

IFileOpUi::Overwrite QtFileOpUi::askOverwrite(const std::string&, const std::string&) {
    return Overwrite::No;
}
bool QtFileOpUi::askCreateFolder(const std::string&) { return false; }
IFileOpUi::ErrorChoice QtFileOpUi::reportError(const std::string&, const QString&) {
    return ErrorChoice::Cancel;
}
bool QtFileOpUi::confirmTrash(const std::vector<std::string>&) { return false; }
bool QtFileOpUi::confirmDeletePermanently(const std::string&) { return false; }
void QtFileOpUi::progressBegin(QWidget*, const QString&, bool) {}
void QtFileOpUi::progressUpdate(const QString&, const std::string&, long long, long long) {}
bool QtFileOpUi::cancelRequested() { return false; }
void QtFileOpUi::progressEnd() {}
