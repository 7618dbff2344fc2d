#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MountEntry {
    std::string mountPoint;
    std::string fsType;
    std::string source;  // device or remote source
};

// Parses /proc/self/mountinfo text; octal escapes (\040) are decoded.
std::vector<MountEntry> parseMountInfo(const std::string& text);

// True for file systems a user keeps files on (not proc, sysfs, cgroup, ...),
// mounted outside the kernel's own trees (/proc, /sys, /dev, /run).
bool isUserVolume(const MountEntry& entry);

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
