// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "platform/IVolumeInfo.h"
#include "platform/linux/LinuxVolumeInfo.h"
#include "platform/linux/MountTable.h"

namespace {

TEST(MountTable, ParsesMountInfoWithEscapesAndOptionalFields) {
    const std::string text =
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "40 27 8:17 / /media/My\\040Stick\\134x rw master:3 propagate_from:2 - vfat "
        "/dev/sdb1 rw\n"
        "41 27 0:50 / /mnt/tab\\011name rw - nfs4 server:/export\\040share rw\n"
        "garbage line\n"
        "42 27 0:51 / /no/separator rw ext4 /dev/x rw\n"
        "\n"
        // Only spaces separate fields: the kernel writes other blanks as they are.
        "43 27 8:33 / /media/u/a\vb\rc rw - vfat /dev/sdc1 rw\n";
    const auto e = parseMountInfo(text);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].mountPoint, "/");
    EXPECT_EQ(e[0].fsType, "ext4");
    EXPECT_EQ(e[0].source, "/dev/vda");
    EXPECT_EQ(e[1].mountPoint, "/media/My Stick\\x");
    EXPECT_EQ(e[1].fsType, "vfat");
    EXPECT_EQ(e[1].source, "/dev/sdb1");
    EXPECT_EQ(e[2].mountPoint, "/mnt/tab\tname");
    EXPECT_EQ(e[2].source, "server:/export share");
    EXPECT_EQ(e[3].mountPoint, "/media/u/a\vb\rc");
}

TEST(MountTable, UserVolumesLeaveOutKernelAndSystemMounts) {
    auto user = [](const char* point, const char* type) {
        return isUserVolume(MountEntry{point, type, "src"});
    };
    EXPECT_TRUE(user("/", "ext4"));
    EXPECT_TRUE(user("/", "overlay"));
    EXPECT_TRUE(user("/home", "btrfs"));
    EXPECT_TRUE(user("/tmp", "tmpfs"));
    EXPECT_TRUE(user("/media/usb", "vfat"));
    EXPECT_TRUE(user("/run/media/me/USB", "exfat"));
    EXPECT_TRUE(user("/mnt/share", "nfs4"));
    EXPECT_FALSE(user("/proc", "proc"));
    EXPECT_FALSE(user("/sys/fs/cgroup", "tmpfs"));
    EXPECT_FALSE(user("/dev/shm", "tmpfs"));
    EXPECT_FALSE(user("/run/user/1000", "tmpfs"));
    EXPECT_FALSE(user("/snap/core/1", "squashfs"));
    EXPECT_FALSE(user("/boot/efi", "vfat"));
    EXPECT_FALSE(user("/var/lib/docker/overlay2/x/merged", "overlay"));
    EXPECT_FALSE(user("/home/me/.gvfs", "fuse.gvfsd-fuse"));
    EXPECT_FALSE(user("/proc/sys/fs/binfmt_misc", "binfmt_misc"));
    EXPECT_TRUE(user("/runner", "ext4")) << "only whole path components count";
}

// Recorded mount tables and the volumes a desktop lists from them.
TEST(MountTable, ShownVolumesFollowTheDesktopsRule) {
    const std::string desktop =
        "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
        "23 22 0:21 / /proc rw - proc proc rw\n"
        "25 22 0:26 / /run rw - tmpfs tmpfs rw\n"
        "26 22 8:3 / /home rw - ext4 /dev/sda3 rw\n"
        "27 22 0:30 / /tmp rw - tmpfs tmpfs rw\n"
        "28 22 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
        "29 22 7:0 / /snap/core22/1 ro - squashfs /dev/loop0 ro\n"
        "30 25 0:41 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
        "40 22 8:17 / /media/me/USB\\040STICK rw shared:90 - vfat /dev/sdb1 rw\n"
        "41 25 8:33 / /run/media/me/DISK rw - exfat /dev/sdc1 rw\n"
        "42 25 8:49 / /run/media/other/THEIRS rw - ext4 /dev/sdd1 rw\n"
        "43 22 8:65 / /media/me/OLD rw - vfat /dev/sde1 rw\n"
        "44 43 8:3 /me/tmp /media/me/OLD rw - ext4 /dev/sda3 rw\n"
        "45 22 8:3 /me/projects /srv/projects rw - ext4 /dev/sda3 rw\n"
        "46 26 8:3 /me/projects /home/me/work rw - ext4 /dev/sda3 rw\n"
        "47 26 0:50 / /home/me/remote rw - fuse.sshfs me@host:/data rw\n"
        "48 26 0:51 / /home/me/.cache/doc rw - fuse.portal portal rw\n"
        "49 22 0:52 / /var/lib/docker/overlay2/abc/merged rw - overlay overlay rw\n"
        "50 26 0:53 / /home/me/merged rw - overlay overlay rw\n"
        "51 26 0:54 / /home/me/ram rw - tmpfs tmpfs rw\n"
        "52 22 0:25 / /mnt/tools ro - tmpfs tools ro,size=4k\n"
        "53 22 8:81 / /mnt/data rw - ext4 /dev/sdf1 rw\n"
        "54 22 8:97 / /media/locked/STICK rw - vfat /dev/sdg1 rw\n";
    const std::string container =
        "500 400 0:120 / / rw - overlay overlay rw,lowerdir=/l,upperdir=/u,workdir=/w\n"
        "501 500 0:123 / /proc rw - proc proc rw\n"
        "503 500 254:0 /var/lib/docker/containers/c/hosts /etc/hosts rw - ext4 /dev/vda rw\n"
        "504 500 254:0 /home/me/src /home/me/src rw - ext4 /dev/vda rw\n"
        "505 500 0:125 / /tmp rw - tmpfs tmpfs rw\n";
    auto viewer = [](bool superuser) {
        return MountViewer{"/home/me", "me", superuser, [](const std::string& path) {
                               return path.rfind("/media/locked", 0) != 0;
                           }};
    };
    const struct {
        std::string table;
        bool superuser;
        std::vector<std::string> shown;
    } cases[] = {
        {desktop, false, {"/", "/media/me/USB STICK", "/run/media/me/DISK", "/home/me/remote"}},
        {desktop, true,
         {"/", "/media/me/USB STICK", "/run/media/me/DISK", "/run/media/other/THEIRS",
          "/home/me/remote"}},
        {container, false, {"/"}},
        {"", false, {"/"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> shown;
        for (const MountEntry& e : shownVolumes(parseMountInfo(c.table), viewer(c.superuser)))
            shown.push_back(e.mountPoint);
        EXPECT_EQ(shown, c.shown) << "superuser " << c.superuser;
    }
}

TEST(MountTable, DriveTypes) {
    auto type = [](const char* fs, bool removable = false) {
        return driveTypeOf(MountEntry{"/m", fs, "src"}, removable);
    };
    EXPECT_EQ(type("ext4"), drive::Fixed);
    EXPECT_EQ(type("vfat", true), drive::Removable);
    EXPECT_EQ(type("nfs"), drive::Remote);
    EXPECT_EQ(type("cifs"), drive::Remote);
    EXPECT_EQ(type("fuse.sshfs"), drive::Remote);
    EXPECT_EQ(type("iso9660", true), drive::CdRom);
    EXPECT_EQ(type("udf"), drive::CdRom);
    EXPECT_EQ(type("tmpfs"), drive::RamDisk);
    EXPECT_EQ(type("ramfs"), drive::RamDisk);
}

TEST(MountTable, UdevNamesAndUuids) {
    EXPECT_EQ(decodeUdevName("My\\x20Stick\\x2fA"), "My Stick/A");
    EXPECT_EQ(decodeUdevName("odd\\xZZ\\x2"), "odd\\xZZ\\x2");
    EXPECT_EQ(serialFromUuid("1A2B-3C4D"), 0x1A2B3C4Du);  // FAT: the serial itself
    EXPECT_EQ(serialFromUuid("00ab-cdef"), 0x00ABCDEFu);
    EXPECT_EQ(serialFromUuid("c0a8f1e2-1234-4bcd-9abc-def012345678"), 0xC0A8F1E2u);
    EXPECT_EQ(serialFromUuid("0123456789ABCDEF"), 0x89ABCDEFu);  // NTFS: the low half
    EXPECT_EQ(serialFromUuid("2023-01-01-00-00-00-00"), 0x20230101u);  // iso9660 date
    EXPECT_EQ(serialFromUuid("1234"), std::nullopt);
    EXPECT_EQ(serialFromUuid(""), std::nullopt);
    EXPECT_EQ(serialFromUuid("12g45678"), std::nullopt);
}

TEST(LinuxVolumes, TheRootIsAVolumeAndAMissingRootIsNone) {
    LinuxVolumeInfo volumes;
    EXPECT_EQ(volumes.volumeRootOf("/"), "/");
    const std::string tmpRoot = volumes.volumeRootOf("/tmp");
    EXPECT_TRUE(tmpRoot == "/" || tmpRoot == "/tmp");
    EXPECT_EQ(volumes.driveType("/no/such/root"), drive::NoRootDir);
    std::string label = "stale";
    std::uint32_t serial = 0;
    EXPECT_TRUE(volumes.volumeInformation("/", label, serial));
    EXPECT_FALSE(volumes.volumeInformation("/no/such/root", label, serial));
    bool listed = false;
    for (const Volume& v : volumes.volumes()) listed |= v.root == "/";
    EXPECT_TRUE(listed);
}

}  // namespace
