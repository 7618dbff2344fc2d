#pragma once

#include <optional>
#include <set>
#include <string>

// Names that a folder's ".hidden" file lists (the desktop's convention for
// hiding names besides dot-names), one per line. Empty when there is none;
// nothing when it exists but cannot be read whole. Only a regular file is
// read: opening a FIFO planted under that name would block.
std::optional<std::set<std::string>> readHiddenFile(const std::string& file);
// The same for the ".hidden" file of the folder open at folderFd.
std::optional<std::set<std::string>> readHiddenFileAt(int folderFd);
