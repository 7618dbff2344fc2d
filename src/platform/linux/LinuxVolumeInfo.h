// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/IVolumeInfo.h"
#include "platform/linux/MountTable.h"

// Volumes from the mount table; labels and serials from /dev/disk/by-label
// and /dev/disk/by-uuid, or from statvfs when the volume has no UUID.
class LinuxVolumeInfo : public IVolumeInfo {
public:
    std::vector<Volume> volumes() override;
    std::string volumeRootOf(const std::string& folder) override;
    bool isMountPoint(const std::string& path) override;
    std::vector<std::string> mountPointsBelow(const std::string& folder) override;
    int driveType(const std::string& root) override;
    bool volumeInformation(const std::string& root, std::string& label,
                           std::uint32_t& serial) override;

private:
    std::vector<MountEntry> mounts();
    // User volumes, one per mount point (the mount on top). Nothing is
    // touched on disk, so a hung network mount cannot block the caller.
    std::vector<MountEntry> userMounts();
    const MountEntry* find(const std::vector<MountEntry>& all, const std::string& root);
};
