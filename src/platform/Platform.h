// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class IUserDialogs;
class IClipboard;
class IScreen;
class IFileSystem;
class FileJobRunner;
class IFileOpUi;
class IVolumeInfo;
class ITrash;
class ISettingsLocation;
class IHelpViewer;

// The OS services the program uses. main() installs the Linux set; tests
// replace single services with scripted doubles.
struct Platform {
    IUserDialogs* dialogs = nullptr;
    IClipboard* clipboard = nullptr;
    IScreen* screen = nullptr;
    IFileSystem* fileSystem = nullptr;
    FileJobRunner* fileOperations = nullptr;
    IFileOpUi* fileOpUi = nullptr;
    IVolumeInfo* volumes = nullptr;
    ITrash* trash = nullptr;
    ISettingsLocation* settingsLocation = nullptr;
    IHelpViewer* help = nullptr;
};

Platform& platform();

// Installs the Linux implementation of every service.
void installLinuxPlatform();

// Replaces services for the lifetime of the object, then restores them.
class ScopedPlatform {
public:
    explicit ScopedPlatform(const Platform& replacement);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform saved_;
};
