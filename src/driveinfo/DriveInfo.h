// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class DirectoryListBox;
class QLabel;

// The drive type, volume label and serial number labels of the left pane,
// for the volume of the left tree.
struct DriveLabels {
    QLabel& type;    // DriveTypeLabel
    QLabel& volume;  // VolumeLabelLabel
    QLabel& serial;  // SerialNumberLabel
};

// Fills all three labels; the window calls it once shown and at every drive
// change of the left tree.
void DriveComboBox1Change(const DirectoryListBox& leftTree, const DriveLabels& labels);
// Both throw when the left tree has no root entry.
void GetDriveTypeActionExecute(const DirectoryListBox& leftTree, const DriveLabels& labels);
void GetSerialNumExecute(const DirectoryListBox& leftTree, const DriveLabels& labels);
