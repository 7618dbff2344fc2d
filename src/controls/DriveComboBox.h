// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QComboBox>

class DirectoryListBox;

// The volumes a desktop lists, read again whenever the list opens, and the
// volume of the linked tree even when it is not among them. Choosing one moves
// the tree to its root; when the tree moves onto another volume the selector
// follows and emits driveChanged().
class DriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget* parent = nullptr);

    void setDirList(DirectoryListBox* tree);
    // Root of the selected volume.
    std::string drive() const;
    // Re-reads the mounted volumes.
    void reloadVolumes();
    void showPopup() override;

Q_SIGNALS:
    void driveChanged();

private:
    void userChose(int index);
    void followTree();
    int indexOfRoot(const std::string& root) const;

    DirectoryListBox* tree_ = nullptr;
    bool following_ = false;
};
