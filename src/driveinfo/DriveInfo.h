// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>

#include <QString>

class FolderTree;

// The drive type, volume label and serial number labels of the left pane,
// for the volume of the left tree.
// Each one shows its text.
struct DriveLabels {
    std::function<void(const QString&)> type;    // DriveTypeLabel
    std::function<void(const QString&)> volume;  // VolumeLabelLabel
    std::function<void(const QString&)> serial;  // SerialNumberLabel
};

// Fills all three labels; the window calls it once shown and at every drive
// change of the left tree.
void DriveComboBox1Change(const FolderTree& leftTree, const DriveLabels& labels);
// Both throw when the left tree has no root entry.
void GetDriveTypeActionExecute(const FolderTree& leftTree, const DriveLabels& labels);
void GetSerialNumExecute(const FolderTree& leftTree, const DriveLabels& labels);
