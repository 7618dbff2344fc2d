#pragma once

#include "platform/IFileOperationService.h"

// Copy, move and delete of path lists on a worker thread while the caller
// waits in a local event loop (the window stays painted).
class FileOperationService : public IFileOperationService {
public:
    int perform(FileOpRequest& request) override;
};
