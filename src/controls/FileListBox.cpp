#include "controls/FileListBox.h"

#include "controls/FolderListing.h"
#include "util/PathText.h"

FileListBox::FileListBox(QWidget* parent, bool multiSelect) : PathListBox(parent, multiSelect) {}

void FileListBox::setDirectory(const std::string& folder) {
    directory_ = folder;
    reread();
}

void FileListBox::setMask(const std::string& mask) {
    mask_ = mask;
    reread();
}

void FileListBox::reread() {
    list()->setRows(directory_.empty() ? std::vector<std::string>()
                                       : listMatchingFiles(directory_, mask_));
    Q_EMIT changed();
}

std::string FileListBox::fullPath(int row) const {
    return joinPath(directory_, list()->at(std::size_t(row)));
}
