// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// The base-level dialog: a list of candidate base levels under a label,
// OK and Cancel below it. Its height follows the list (at most 20 rows) and
// is fixed; its width can grow.
class TClassCopyForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxRows = 20;

    explicit TClassCopyForm(QWidget* parent = nullptr);

    // Fills the list with levels, chooses the first, and lays the dialog out.
    void setLevels(const std::vector<std::string>& levels);
    int chosenLevel() const;

    QLabel* RefClassFolderLabel;
    QListWidget* RefClassFolderListBox;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showHint();
    void placeControls();
};
