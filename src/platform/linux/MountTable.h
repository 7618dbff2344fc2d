#pragma once

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
