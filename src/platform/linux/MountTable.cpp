#include "platform/linux/MountTable.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string_view>

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
        std::istringstream fields(line);
        std::vector<std::string> f;
        std::string field;
        while (fields >> field) f.push_back(field);
        auto dash = std::find(f.begin(), f.end(), "-");
        if (f.size() < 5 || dash == f.end() || std::distance(dash, f.end()) < 3) continue;
        entries.push_back(MountEntry{unescape(f[4]), unescape(*(dash + 1)), unescape(*(dash + 2))});
    }
    return entries;
}

bool isUserVolume(const MountEntry& e) {
    static constexpr std::array<std::string_view, 24> pseudo = {
        "proc", "sysfs", "cgroup", "cgroup2", "devpts", "mqueue", "debugfs", "tracefs",
        "securityfs", "pstore", "bpf", "autofs", "configfs", "fusectl", "hugetlbfs",
        "binfmt_misc", "rpc_pipefs", "nsfs", "devtmpfs", "efivarfs", "selinuxfs",
        "fuse.gvfsd-fuse", "fuse.portal", "squashfs"};
    if (std::find(pseudo.begin(), pseudo.end(), e.fsType) != pseudo.end()) return false;
    for (std::string_view tree : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"}) {
        if (under(e.mountPoint, tree) && !under(e.mountPoint, "/run/media")) return false;
    }
    return true;
}

int driveTypeOf(const MountEntry& e, bool removableDevice) {
    static constexpr std::array<std::string_view, 12> remote = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p", "afs", "ceph",
        "glusterfs", "fuse.rclone", "davfs"};
    if (std::find(remote.begin(), remote.end(), e.fsType) != remote.end()) return drive::Remote;
    if (e.fsType == "iso9660" || e.fsType == "udf") return drive::CdRom;
    if (e.fsType == "tmpfs" || e.fsType == "ramfs") return drive::RamDisk;
    if (removableDevice) return drive::Removable;
    return drive::Fixed;
}
