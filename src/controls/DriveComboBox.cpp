// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/DriveComboBox.h"

#include "controls/DirectoryListBox.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"
#include "util/PathText.h"
#include "util/DisplayText.h"

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
    reloadVolumes();
    connect(this, qOverload<int>(&QComboBox::activated), this, &DriveComboBox::userChose);
}

void DriveComboBox::reloadVolumes() {
    const std::string keep = drive();
    QSignalBlocker block(this);
    clear();
    for (const Volume& v : platform().volumes->volumes()) {
        QString text = displayPath(v.root);
        if (!v.label.empty()) text += QStringLiteral("  [") + displayPath(v.label) + ']';
        addItem(text, QByteArray::fromStdString(v.root));
    }
    int i = indexOfRoot(keep);
    if (i < 0 && !keep.empty()) {  // the tree's volume is not listed: keep showing it
        addItem(displayPath(keep), QByteArray::fromStdString(keep));
        i = count() - 1;
    }
    if (i >= 0) setCurrentIndex(i);
}

void DriveComboBox::showPopup() {
    reloadVolumes();
    QComboBox::showPopup();
}

void DriveComboBox::setDirList(DirectoryListBox* tree) {
    tree_ = tree;
    connect(tree, &DirectoryListBox::directoryChanged, this, &DriveComboBox::followTree);
}

std::string DriveComboBox::drive() const {
    return currentIndex() < 0 ? std::string() : currentData().toByteArray().toStdString();
}

int DriveComboBox::indexOfRoot(const std::string& root) const {
    return findData(QByteArray::fromStdString(root));
}

void DriveComboBox::userChose(int index) {
    if (!tree_ || index < 0) return;
    const std::string root = itemData(index).toByteArray().toStdString();
    if (tree_->entryCount() > 0 && tree_->entryPath(0) == root) return;
    if (!tree_->setDirectory(root)) followTree();  // stay on the tree's volume
}

void DriveComboBox::followTree() {
    if (!tree_ || tree_->entryCount() == 0) return;
    const std::string root = tree_->entryPath(0);
    int i = indexOfRoot(root);
    if (i < 0) {
        addItem(displayPath(root), QByteArray::fromStdString(root));
        i = count() - 1;
    }
    if (i == currentIndex()) return;
    {
        QSignalBlocker block(this);
        setCurrentIndex(i);
    }
    Q_EMIT driveChanged();
}
