// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/LinuxVolumeInfo.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <glib.h>

namespace {

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string realPath(const std::string& path) {
    char buf[PATH_MAX];
    return ::realpath(path.c_str(), buf) ? std::string(buf) : std::string();
}

bool isDir(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Name in /dev/disk/<by> whose link resolves to device, or empty.
std::string diskLinkName(const char* by, const std::string& device) {
    std::string found;
    const std::string folder = std::string("/dev/disk/") + by;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return found;
    while (dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        if (realPath(folder + "/" + e->d_name) == device) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool removableBlockDevice(const std::string& device) {
    if (device.rfind("/dev/", 0) != 0) return false;
    std::string name = device.substr(5);
    // A partition's removable flag lives on its parent disk.
    std::string sys = realPath("/sys/class/block/" + name);
    if (sys.empty()) return false;
    for (std::string dir = sys; !dir.empty() && dir != "/sys"; dir = dir.substr(0, dir.rfind('/'))) {
        std::ifstream in(dir + "/removable");
        int flag = 0;
        if (in >> flag) return flag == 1;
    }
    return false;
}

MountViewer thisUser() {
    return MountViewer{g_get_home_dir(), g_get_user_name(), ::getuid() == 0,
                       [](const std::string& path) {
                           return ::access(path.c_str(), R_OK | X_OK) == 0;
                       }};
}

}  // namespace

std::vector<MountEntry> LinuxVolumeInfo::mounts() {
    return parseMountInfo(readFile("/proc/self/mountinfo"));
}

const MountEntry* LinuxVolumeInfo::find(const std::vector<MountEntry>& all, const std::string& root) {
    // Later mounts hide earlier ones on the same point.
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (it->mountPoint == root) return &*it;
    return nullptr;
}

std::vector<MountEntry> LinuxVolumeInfo::userMounts() {
    std::vector<MountEntry> result;
    const auto all = mounts();
    for (const auto& e : all) {
        if (isUserVolume(e) && find(all, e.mountPoint) == &e) result.push_back(e);
    }
    return result;
}

std::vector<Volume> LinuxVolumeInfo::volumes() {
    std::vector<Volume> result;
    for (const auto& e : shownVolumes(mounts(), thisUser())) {
        std::string label;
        const std::string device = realPath(e.source);
        if (!device.empty()) label = decodeUdevName(diskLinkName("by-label", device));
        result.push_back(Volume{e.mountPoint, label});
    }
    std::sort(result.begin(), result.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return result;
}

std::string LinuxVolumeInfo::volumeRootOf(const std::string& folder) {
    std::string best = "/";
    for (const auto& e : userMounts()) {
        const std::string& r = e.mountPoint;
        const bool inside = folder == r ||
            (folder.compare(0, r.size(), r) == 0 && (r == "/" || folder[r.size()] == '/'));
        if (inside && r.size() > best.size()) best = r;
    }
    return best;
}

bool LinuxVolumeInfo::isMountPoint(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    const auto all = mounts();
    return find(all, p) != nullptr;
}

std::vector<std::string> LinuxVolumeInfo::mountPointsBelow(const std::string& folder) {
    std::string inside = folder;
    while (inside.size() > 1 && inside.back() == '/') inside.pop_back();
    if (inside != "/") inside += '/';
    std::vector<std::string> found;
    for (const auto& e : mounts())
        if (e.mountPoint.size() > inside.size() && e.mountPoint.compare(0, inside.size(), inside) == 0)
            found.push_back(e.mountPoint);
    return found;
}

int LinuxVolumeInfo::driveType(const std::string& root) {
    std::string p = root;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    const auto all = mounts();
    const MountEntry* e = find(all, p);
    if (!e || !isDir(p)) return drive::NoRootDir;
    return driveTypeOf(*e, removableBlockDevice(realPath(e->source)));
}

bool LinuxVolumeInfo::volumeInformation(const std::string& root, std::string& label,
                                        std::uint32_t& serial) {
    struct statvfs vfs {};
    if (::statvfs(root.c_str(), &vfs) != 0) return false;
    label.clear();
    serial = static_cast<std::uint32_t>(vfs.f_fsid & 0xFFFFFFFFu);
    std::string p = root;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    const auto all = mounts();
    const MountEntry* e = find(all, p);
    const std::string device = e ? realPath(e->source) : std::string();
    if (device.empty()) return true;
    label = decodeUdevName(diskLinkName("by-label", device));
    if (const auto fromUuid = serialFromUuid(diskLinkName("by-uuid", device))) serial = *fromUuid;
    return true;
}
