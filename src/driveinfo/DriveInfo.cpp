// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "driveinfo/DriveInfo.h"

#include <stdexcept>

#include <QLabel>

#include "controls/DirectoryListBox.h"
#include "driveinfo/DriveLabels.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"

namespace {

std::string leftRoot(const DirectoryListBox& tree) {
    if (tree.entryCount() == 0) throw std::runtime_error("The left folder tree has no root.");
    return tree.entryPath(0);
}

}  // namespace

void DriveComboBox1Change(const DirectoryListBox& leftTree, const DriveLabels& labels) {
    try {
        GetDriveTypeActionExecute(leftTree, labels);
        GetSerialNumExecute(leftTree, labels);
    } catch (...) {
        labels.type.setText(drivelabel::TypeCannotUse);
        labels.volume.setText(drivelabel::VolumeQueryFailed);
        labels.serial.setText(drivelabel::SerialNone);
    }
}

void GetDriveTypeActionExecute(const DirectoryListBox& leftTree, const DriveLabels& labels) {
    const std::string root = leftRoot(leftTree);
    int code = drive::Unknown;
    try {
        code = platform().volumes->driveType(root);
    } catch (...) {
        labels.type.setText(drivelabel::TypeCannotUse);
        return;
    }
    labels.type.setText(drivelabel::typeText(code));
}

void GetSerialNumExecute(const DirectoryListBox& leftTree, const DriveLabels& labels) {
    const std::string root = leftRoot(leftTree);
    std::string label;
    std::uint32_t serial = 0;
    bool ok = false;
    try {
        ok = platform().volumes->volumeInformation(root, label, serial);
    } catch (...) {
        labels.volume.setText(drivelabel::VolumeQueryFailed);
        labels.serial.setText(drivelabel::SerialNone);
        return;
    }
    if (ok) {
        labels.volume.setText(drivelabel::volumeText(label));
        labels.serial.setText(drivelabel::serialText(serial));
    } else {
        labels.volume.setText(drivelabel::VolumeNotMounted);
        labels.serial.setText(drivelabel::SerialNone);
    }
}
