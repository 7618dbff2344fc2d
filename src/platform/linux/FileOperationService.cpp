#include "platform/linux/FileOperationService.h"

#include <cerrno>

int FileOperationService::perform(FileOpRequest&) { return ENOSYS; }
