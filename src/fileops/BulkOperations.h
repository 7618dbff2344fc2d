#pragma once

#include <string>

class QObject;
class TCopyForm;

// Copy, move, delete and erase of every path in the data list, and the pane
// refreshes that follow file operations.
class BulkOperations {
public:
    explicit BulkOperations(TCopyForm& form) : form_(form) {}

    // Handler of FileCopy, FileMove, FileDelete and FileErase; sender is the
    // action that fired.
    void File_Operation(QObject* sender);
    // Makes the panes that show folder re-read it.
    void RefreshFolder(const std::string& folder);
    // Makes the panes re-read after a move from source (may be empty) into
    // destination.
    void RefreshAfterMove(const std::string& destination, const std::string& source);

private:
    TCopyForm& form_;
};
