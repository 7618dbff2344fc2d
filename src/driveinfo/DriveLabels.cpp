// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "driveinfo/DriveLabels.h"

#include "platform/IVolumeInfo.h"
#include "util/PathText.h"
#include "util/DisplayText.h"

namespace drivelabel {

QString typeText(int code) {
    const char* name = "Error Happened";
    switch (code) {
        case drive::Unknown: name = "Not determined!"; break;
        case drive::NoRootDir: name = "Not exist"; break;
        case drive::Removable: name = "Floppy Disk"; break;
        case drive::Fixed: name = "Hard Disk"; break;
        case drive::Remote: name = "Remote(Network) Drive"; break;
        case drive::CdRom: name = "CD-ROM"; break;
        case drive::RamDisk: name = "RAM Disk"; break;
        default: break;
    }
    return QStringLiteral("Type: ") + QString::fromLatin1(name);
}

QString volumeText(const std::string& label) {
    return QStringLiteral("Vol:   ") + displayPath(label.substr(0, label.find('\0')));
}

QString serialText(std::uint32_t serial) {
    const QString hex = QStringLiteral("%1").arg(serial, 8, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("Ser:   ") + hex.left(4) + '-' + hex.mid(4);
}

}  // namespace drivelabel
