#pragma once

#include <string>

#include "controls/PathListBox.h"

class FolderWatch;

// The files of one folder that match a mask, as bare names in
// case-insensitive order. Emits changed() after every re-reading. It re-reads
// on its own when files appear in or vanish from the folder, keeping the
// current row when its file is still there.
class FileListBox : public PathListBox {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr, bool multiSelect = false);

    const std::string& directory() const { return directory_; }
    const std::string& mask() const { return mask_; }
    void setDirectory(const std::string& folder);
    void setMask(const std::string& mask);
    // Re-reads the folder.
    void reread();
    // directory() joined with the name of row.
    std::string fullPath(int row) const;
    // True while changed() reports a re-reading that the folder's own change
    // caused (rather than a call of the program).
    bool autoRefreshing() const { return autoRefreshing_; }
    FolderWatch* folderWatch() const { return watch_; }

Q_SIGNALS:
    void changed();

private:
    void folderChanged();
    // Shows names; keeps the current row and scroll position when the folder
    // is the one already shown.
    void showNames(std::vector<std::string> names);

    std::string directory_;
    std::string mask_ = "*.*";
    std::string shownDirectory_;
    FolderWatch* watch_;
    bool autoRefreshing_ = false;
};
