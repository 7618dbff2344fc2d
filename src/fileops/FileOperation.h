#pragma once

// The file-operation engine: lists of paths become requests to the
// file-operation service. One instance lives while the main window does.
class TFileOperation {
public:
    TFileOperation() = default;
};

// The program-wide reference to the one engine.
extern TFileOperation* FileOperation;
