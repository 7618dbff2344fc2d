#pragma once

#include <string>
#include <vector>

#include <QString>

#include "engine/FileJob.h"

class QWidget;


// One request to the file-operation service. Path lists are double-NUL lists:
// every path followed by one NUL byte, one more NUL after the last.
struct FileOpRequest {
    QWidget* owner = nullptr;
    unsigned func = 0;            // fo::Move, fo::Copy or fo::Delete
    std::string from;             // sources
    std::string to;               // one folder, or one target per source with
                                  // fof::MultiDestFiles; empty for deletion
    unsigned flags = 0;           // fof:: bits
    bool anyOperationsAborted = false;
    void* nameMappings = nullptr; // never used
    QString progressTitle;        // empty: none
};

// Copies, moves and deletes path lists. Synchronous for the caller; the window
// stays painted while it works. Returns 0 on success, an errno value otherwise.
class IFileOperationService {
public:
    virtual ~IFileOperationService() = default;
    virtual int perform(FileOpRequest& request) = 0;
};

// Splits a double-NUL list into its paths.
std::vector<std::string> splitDoubleNulList(const std::string& list);
// Joins paths into a double-NUL list.
std::string joinDoubleNulList(const std::vector<std::string>& paths);
