// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "driveinfo/DriveInfo.h"

#include <stdexcept>


#include "controls/FolderTree.h"
#include "driveinfo/DriveLabels.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"

namespace {

std::string leftRoot(const FolderTree& tree) {
    if (tree.entryCount() == 0) throw std::runtime_error("The left folder tree has no root.");
    return tree.entryPath(0);
}

}  // namespace

void DriveComboBox1Change(const FolderTree& leftTree, const DriveLabels& labels) {
    try {
        GetDriveTypeActionExecute(leftTree, labels);
        GetSerialNumExecute(leftTree, labels);
    } catch (...) {
        labels.type(drivelabel::TypeCannotUse);
        labels.volume(drivelabel::VolumeQueryFailed);
        labels.serial(drivelabel::SerialNone);
    }
}

void GetDriveTypeActionExecute(const FolderTree& leftTree, const DriveLabels& labels) {
    const std::string root = leftRoot(leftTree);
    int code = drive::Unknown;
    try {
        code = platform().volumes->driveType(root);
    } catch (...) {
        labels.type(drivelabel::TypeCannotUse);
        return;
    }
    labels.type(drivelabel::typeText(code));
}

void GetSerialNumExecute(const FolderTree& leftTree, const DriveLabels& labels) {
    const std::string root = leftRoot(leftTree);
    std::string label;
    std::uint32_t serial = 0;
    bool ok = false;
    try {
        ok = platform().volumes->volumeInformation(root, label, serial);
    } catch (...) {
        labels.volume(drivelabel::VolumeQueryFailed);
        labels.serial(drivelabel::SerialNone);
        return;
    }
    if (ok) {
        labels.volume(drivelabel::volumeText(label));
        labels.serial(drivelabel::serialText(serial));
    } else {
        labels.volume(drivelabel::VolumeNotMounted);
        labels.serial(drivelabel::SerialNone);
    }
}
