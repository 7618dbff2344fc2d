// The pane refreshes of BulkOperations.
#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/FolderListing.h"
#include "fileops/BulkOperations.h"
#include "platform/IFileSystem.h"
#include "platform/Platform.h"

namespace {

std::string normalised(const std::string& folder) {
    return folder.empty() ? folder : normalisedFolder(folder);
}

bool folderExists(const std::string& folder) {
    return !folder.empty() && platform().fileSystem->directoryExists(folder);
}

// Folder names are case-sensitive here, so matches are exact.
bool shows(const DirectoryListBox& tree, const std::string& folder) {
    return !folder.empty() && tree.directory().find(folder) != std::string::npos;
}

// Setting the folder rebuilds the tree and re-reads its file list.
void reload(DirectoryListBox& tree, const std::string& folder) {
    if (!tree.setDirectory(folder)) tree.reread();
}

}  // namespace

void BulkOperations::RefreshFolder(const std::string& folder) {
    const std::string f = normalised(folder);
    if (!folderExists(f)) return;
    if (form_.DirectoryListBox2->directory() == f) reload(*form_.DirectoryListBox2, f);
    if (shows(*form_.DirectoryListBox1, f)) reload(*form_.DirectoryListBox1, f);
}

void BulkOperations::RefreshAfterMove(const std::string& destination, const std::string& source) {
    const std::string d = normalised(destination);
    const std::string s = normalised(source);
    if (folderExists(d)) reload(*form_.DirectoryListBox2, d);
    DirectoryListBox& left = *form_.DirectoryListBox1;
    if (left.entryCount() <= 1) return;
    if (shows(left, d) && folderExists(d)) reload(left, d);
    else if (shows(left, s) && folderExists(s)) reload(left, s);
}
