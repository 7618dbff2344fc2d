#pragma once

#include <string>

class QObject;
class TCopyForm;

// Copy, move, delete and erase of every path in the data list, and the pane
// refreshes that follow file operations.
class BulkOperations {
public:
    explicit BulkOperations(TCopyForm& form) : form_(form) {}

    void File_Operation(QObject* sender);
    void RefreshFolder(const std::string& folder);
    void RefreshAfterMove(const std::string& destination, const std::string& source);

private:
    TCopyForm& form_;
};
