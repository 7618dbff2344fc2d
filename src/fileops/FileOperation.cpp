#include "fileops/FileOperation.h"

TFileOperation* FileOperation = nullptr;
