// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct MountEntry {
    std::string mountPoint;
    std::string fsType;
    std::string source;  // device or remote source
    std::string root = "/";  // the folder of the file system mounted here
};

// Parses /proc/self/mountinfo text; octal escapes (\040) are decoded.
std::vector<MountEntry> parseMountInfo(const std::string& text);

// True for file systems a user keeps files on (not proc, sysfs, cgroup, ...),
// mounted outside the kernel's own trees (/proc, /sys, /dev, /run).
bool isUserVolume(const MountEntry& entry);

// Who looks at the mount table: which mounts a desktop shows depends on it.
struct MountViewer {
    std::string home;
    std::string userName;
    bool superuser = false;  // sees the volumes of every user under /run/media
    // May the viewer read and enter the folder? Asked only about /media and
    // about the mount points of local block devices, never of network mounts.
    std::function<bool(const std::string&)> canEnter;
};

// The volumes a desktop file manager lists: GIO's rule for user-visible
// mounts (g_unix_mount_guess_should_display) plus the root file system.
// A bind mount (a root other than "/") or an overlay is never one.
bool isShownVolume(const MountEntry& entry, const MountViewer& viewer);

// The shown volumes of a mount table, one per mount point (the mount on top),
// "/" always among them, in the table's order.
std::vector<MountEntry> shownVolumes(const std::vector<MountEntry>& table,
                                     const MountViewer& viewer);

// Drive type code (drive::) of a mount entry; removableDevice tells whether
// the backing block device reports itself removable.
int driveTypeOf(const MountEntry& entry, bool removableDevice);

// Decodes the \xNN escapes of udev link names (/dev/disk/by-label).
std::string decodeUdevName(const std::string& name);

// The 32-bit volume serial a file-system UUID stands for: FAT and exFAT
// ("1A2B-3C4D") give exactly their serial, NTFS (16 hex digits) the low half
// as Windows shows it, others their first 8 hex digits. Nothing when the
// UUID holds fewer than 8 leading hex digits.
std::optional<std::uint32_t> serialFromUuid(const std::string& uuid);
