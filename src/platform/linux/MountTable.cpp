// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/MountTable.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string_view>
#include <unordered_set>

#include <gio/gunixmounts.h>

#include "platform/IVolumeInfo.h"

namespace {

std::string unescape(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() &&
            std::all_of(s.begin() + long(i) + 1, s.begin() + long(i) + 4,
                        [](char c) { return c >= '0' && c <= '7'; })) {
            out += char((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool under(const std::string& path, std::string_view tree) {
    return path == tree || (startsWith(path, tree) && path.size() > tree.size() &&
                            path[tree.size()] == '/');
}

}  // namespace

std::vector<MountEntry> parseMountInfo(const std::string& text) {
    std::vector<MountEntry> entries;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        // Fields are separated by spaces; the kernel escapes the spaces, tabs,
        // line feeds and backslashes inside a field, but no other byte.
        std::vector<std::string> f;
        for (std::size_t start = 0; start < line.size();) {
            const std::size_t end = std::min(line.find(' ', start), line.size());
            if (end > start) f.push_back(line.substr(start, end - start));
            start = end + 1;
        }
        // Optional fields (shared:1 ...) run from the seventh field to "-".
        if (f.size() < 10) continue;
        auto dash = std::find(f.begin() + 6, f.end(), "-");
        if (dash == f.end() || std::distance(dash, f.end()) < 3) continue;
        MountEntry e{unescape(f[4]), unescape(*(dash + 1)), unescape(*(dash + 2)), unescape(f[3])};
        // The kernel never writes a NUL; a line with one is no mount.
        const auto nul = [](const std::string& s) { return s.find('\0') != std::string::npos; };
        if (nul(e.mountPoint) || nul(e.fsType) || nul(e.source) || nul(e.root)) continue;
        entries.push_back(std::move(e));
    }
    return entries;
}

bool isUserVolume(const MountEntry& e) {
    static constexpr std::string_view pseudo[] = {
        "proc", "sysfs", "cgroup", "cgroup2", "devpts", "mqueue", "debugfs", "tracefs",
        "securityfs", "pstore", "bpf", "autofs", "configfs", "fusectl", "hugetlbfs",
        "binfmt_misc", "rpc_pipefs", "nsfs", "devtmpfs", "efivarfs", "selinuxfs",
        "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "squashfs"};
    if (std::find(std::begin(pseudo), std::end(pseudo), e.fsType) != std::end(pseudo))
        return false;
    static constexpr std::string_view system[] = {
        "/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi", "/var/lib/docker",
        "/var/lib/containers"};
    for (std::string_view tree : system)
        if (under(e.mountPoint, tree) && !under(e.mountPoint, "/run/media")) return false;
    return true;
}

namespace {

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

// g_unix_mount_guess_should_display on a parsed entry; GIO's own form needs
// an entry read from the live mount table.
bool gioWouldDisplay(const MountEntry& e, const MountViewer& viewer) {
    if (g_unix_is_mount_path_system_internal(e.mountPoint.c_str()) ||
        g_unix_is_system_fs_type(e.fsType.c_str()) ||
        g_unix_is_system_device_path(e.source.c_str()))
        return false;
    const std::string& point = e.mountPoint;
    if (point.find("/.") != std::string::npos) return false;  // hidden on purpose
    const bool runtimeMedia = viewer.superuser
                                  ? startsWith(point, "/run/media/")
                                  : startsWith(point, "/run/media/" + viewer.userName + "/");
    if (runtimeMedia || startsWith(point, "/media/")) {
        const std::string parent = parentOf(point);
        if (startsWith(parent, "/media/") && !viewer.canEnter(parent)) return false;
        if (startsWith(e.source, "/dev/") && !viewer.canEnter(point)) return false;
        return true;
    }
    return !viewer.home.empty() && startsWith(point, viewer.home) &&
           point.size() > viewer.home.size() && point[viewer.home.size()] == '/';
}

}  // namespace

bool isShownVolume(const MountEntry& e, const MountViewer& viewer) {
    if (e.mountPoint == "/") return true;
    static constexpr std::string_view overlays[] = {"overlay", "overlayfs", "aufs",
                                                    "fuse.fuse-overlayfs"};
    if (e.root != "/" ||
        std::find(std::begin(overlays), std::end(overlays), e.fsType) != std::end(overlays))
        return false;
    return gioWouldDisplay(e, viewer);
}

std::vector<MountEntry> shownVolumes(const std::vector<MountEntry>& table,
                                     const MountViewer& viewer) {
    std::vector<MountEntry> shown;
    std::unordered_set<std::string> points;
    // Later mounts hide earlier ones on the same point.
    for (auto it = table.rbegin(); it != table.rend(); ++it)
        if (points.insert(it->mountPoint).second && isShownVolume(*it, viewer))
            shown.push_back(*it);
    if (!points.count("/")) shown.push_back(MountEntry{"/", "", ""});
    std::reverse(shown.begin(), shown.end());
    return shown;
}

int driveTypeOf(const MountEntry& e, bool removableDevice) {
    static constexpr std::string_view remote[] = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "virtiofs", "afs", "ceph", "glusterfs",
        "lustre", "davfs", "fuse.davfs", "fuse.sshfs", "fuse.rclone", "fuse.s3fs",
        "fuse.curlftpfs"};
    if (std::find(std::begin(remote), std::end(remote), e.fsType) != std::end(remote))
        return drive::Remote;
    if (e.fsType == "iso9660" || e.fsType == "udf") return drive::CdRom;
    if (e.fsType == "tmpfs" || e.fsType == "ramfs") return drive::RamDisk;
    if (removableDevice) return drive::Removable;
    return drive::Fixed;
}

std::string decodeUdevName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && isHex(name[i + 2]) &&
            isHex(name[i + 3])) {
            out += char(std::stoi(name.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::optional<std::uint32_t> serialFromUuid(const std::string& uuid) {
    std::string hex;
    for (char c : uuid)
        if (c != '-') hex += c;
    const std::size_t digits =
        std::min(hex.find_first_not_of("0123456789abcdefABCDEF"), hex.size());
    if (digits < 8) return std::nullopt;
    const bool ntfs = digits == 16 && hex.size() == 16 && uuid.find('-') == std::string::npos;
    return std::uint32_t(std::stoul(hex.substr(ntfs ? 8 : 0, 8), nullptr, 16));
}
