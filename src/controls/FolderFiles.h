// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QObject>

class FolderWatch;

// The files of one folder that match a mask, as bare names in
// case-insensitive order. Emits changed() after every re-reading; re-reads on
// its own when files appear in or vanish from the folder.
class FolderFiles : public QObject {
    Q_OBJECT
public:
    explicit FolderFiles(QObject* parent = nullptr);

    const std::string& directory() const { return directory_; }
    const std::string& mask() const { return mask_; }
    const std::vector<std::string>& names() const { return names_; }
    void setDirectory(const std::string& folder);
    void setMask(const std::string& mask);
    // Re-reads the folder.
    void reread();
    // Gives names()[row] a new name, as a rename of that file in place.
    void renameEntry(std::size_t row, std::string name);
    // directory() joined with names()[row].
    std::string fullPath(std::size_t row) const;
    // Every name joined with the folder.
    std::vector<std::string> fullPaths() const;
    // True while changed() reports a re-reading that the folder's own change
    // caused (rather than a call of the program).
    bool autoRefreshing() const { return autoRefreshing_; }
    FolderWatch* folderWatch() const { return watch_; }

Q_SIGNALS:
    void changed();

private:
    void folderChanged();

    std::string directory_;
    std::string mask_ = "*.*";
    std::vector<std::string> names_;
    FolderWatch* watch_;
    bool autoRefreshing_ = false;
};
