// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include <QString>

// Texts of the drive type, volume label and serial number labels.
namespace drivelabel {

inline const QString TypeCannotUse = QStringLiteral("Type: Cannot use");
// Two blanks: the volume query itself failed.
inline const QString VolumeQueryFailed = QStringLiteral("Vol:  not Mounted");
// Three blanks: the volume reported no information (no medium).
inline const QString VolumeNotMounted = QStringLiteral("Vol:   not Mounted");
inline const QString SerialNone = QStringLiteral("Ser:");

// "Type: " and the name of a drive:: code; "Error Happened" for unknown codes.
QString typeText(int code);
// "Vol:   " and the label up to its first NUL.
QString volumeText(const std::string& label);
// "Ser:   " and the serial as XXXX-XXXX in upper-case hexadecimal.
QString serialText(std::uint32_t serial);

}  // namespace drivelabel
