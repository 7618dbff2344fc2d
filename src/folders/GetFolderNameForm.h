// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <QDialog>

class QFrame;
class QPushButton;
class DirectoryListBox;
class DriveComboBox;

// The folder chooser: a drive selector over a folder tree, OK and Cancel
// centred below them. The chosen folder is the tree's folder on OK.
class TGetFolderNameForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ButtonWidth = 80;

    explicit TGetFolderNameForm(QWidget* parent = nullptr);

    // Opens the tree at folder, or at the default folder when it cannot.
    void setFolder(const std::string& folder);
    const std::string& folder() const;

    QFrame* DirectoryPanel;
    QFrame* DrivePanel;
    DriveComboBox* DriveComboBox1;
    DirectoryListBox* DirectoryListBox1;
    QFrame* ButtonPanel;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButtons();
};
