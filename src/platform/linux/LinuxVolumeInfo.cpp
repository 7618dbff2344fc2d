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

// Decodes the \xNN escapes udev uses in /dev/disk/by-label names.
std::string decodeUdevName(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            out += char(std::strtol(s.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
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

std::vector<Volume> LinuxVolumeInfo::volumes() {
    std::vector<Volume> result;
    const auto all = mounts();
    for (const auto& e : all) {
        if (!isUserVolume(e) || !isDir(e.mountPoint)) continue;
        if (find(all, e.mountPoint) != &e) continue;
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
    for (const auto& v : volumes()) {
        const std::string& r = v.root;
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
    std::string uuid = diskLinkName("by-uuid", device);
    uuid.erase(std::remove(uuid.begin(), uuid.end(), '-'), uuid.end());
    if (uuid.size() >= 8 && uuid.find_first_not_of("0123456789abcdefABCDEF") >= 8)
        serial = static_cast<std::uint32_t>(std::strtoul(uuid.substr(0, 8).c_str(), nullptr, 16));
    return true;
}
