#pragma once

#include <string>
#include <vector>

class TCopyForm;

// Files and folders dropped on the window: files as they are, then the files
// directly inside each dropped folder.
class DroppedFiles {
public:
    explicit DroppedFiles(TCopyForm& form) : form_(form) {}

    // Handles one drop of paths in drop order.
    void Drop(const std::vector<std::string>& names);

private:
    TCopyForm& form_;
};

// Every file directly inside the folders, folder by folder in case-insensitive
// order; false when listing failed.
bool CollectDroppedFolderFiles(std::vector<std::string>& folders, std::vector<std::string>& result);
void ListFilesInFolders(std::vector<std::string>& folders, std::vector<std::string>& result);
