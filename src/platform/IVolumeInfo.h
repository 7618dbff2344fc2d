// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Drive type codes with their Windows values.
namespace drive {
inline constexpr int Unknown = 0;
inline constexpr int NoRootDir = 1;
inline constexpr int Removable = 2;
inline constexpr int Fixed = 3;
inline constexpr int Remote = 4;
inline constexpr int CdRom = 5;
inline constexpr int RamDisk = 6;
}  // namespace drive

struct Volume {
    std::string root;   // mount point, "/" for the root file system
    std::string label;  // volume label, may be empty
};

// Mounted volumes and what the drive labels show about them.
class IVolumeInfo {
public:
    virtual ~IVolumeInfo() = default;
    // The volumes a desktop file manager lists (the root, removable media,
    // mounts in the home folder), for the drive selectors, sorted by root.
    virtual std::vector<Volume> volumes() = 0;
    // The mount point of the file system that holds folder, listed or not
    // ("/" when none closer).
    virtual std::string volumeRootOf(const std::string& folder) = 0;
    // True when path is the mount point of a mounted file system.
    virtual bool isMountPoint(const std::string& path) = 0;
    // The mount points of every mounted file system inside folder (not
    // folder itself), bind mounts included.
    virtual std::vector<std::string> mountPointsBelow(const std::string& folder) = 0;
    // One of the drive:: codes.
    virtual int driveType(const std::string& root) = 0;
    // Label and 32-bit serial of the volume at root; false when unavailable.
    virtual bool volumeInformation(const std::string& root, std::string& label,
                                   std::uint32_t& serial) = 0;
};
