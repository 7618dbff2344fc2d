#pragma once

#include <string>

#include "controls/PathListBox.h"

// The files of one folder that match a mask, as bare names in
// case-insensitive order. Emits changed() after every re-reading.
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

Q_SIGNALS:
    void changed();

private:
    std::string directory_;
    std::string mask_ = "*.*";
};
