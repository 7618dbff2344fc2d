// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Platform.h"
#include "platform/linux/FileOperationService.h"
#include "platform/linux/GioTrash.h"
#include "platform/linux/HtmlHelpViewer.h"
#include "platform/linux/LinuxVolumeInfo.h"
#include "engine/PosixFileSystem.h"
#include "platform/linux/QtClipboard.h"
#include "platform/linux/QtFileOpUi.h"
#include "platform/linux/QtScreen.h"
#include "platform/linux/QtUserDialogs.h"
#include "platform/linux/XdgSettingsLocation.h"

void installLinuxPlatform() {
    static QtUserDialogs dialogs;
    static QtClipboard clipboard;
    static QtScreen screen;
    static PosixFileSystem fileSystem;
    static FileOperationService fileOperations;
    static QtFileOpUi fileOpUi;
    static LinuxVolumeInfo volumes;
    static GioTrash trash;
    static XdgSettingsLocation settingsLocation;
    static HtmlHelpViewer help;
    Platform& p = platform();
    p.dialogs = &dialogs;
    p.clipboard = &clipboard;
    p.screen = &screen;
    p.fileSystem = &fileSystem;
    p.fileOperations = &fileOperations;
    p.fileOpUi = &fileOpUi;
    p.volumes = &volumes;
    p.trash = &trash;
    p.settingsLocation = &settingsLocation;
    p.help = &help;
}
