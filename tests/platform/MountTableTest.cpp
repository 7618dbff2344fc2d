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
        "\n";
    const auto e = parseMountInfo(text);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].mountPoint, "/");
    EXPECT_EQ(e[0].fsType, "ext4");
    EXPECT_EQ(e[0].source, "/dev/vda");
    EXPECT_EQ(e[1].mountPoint, "/media/My Stick\\x");
    EXPECT_EQ(e[1].fsType, "vfat");
    EXPECT_EQ(e[1].source, "/dev/sdb1");
    EXPECT_EQ(e[2].mountPoint, "/mnt/tab\tname");
    EXPECT_EQ(e[2].source, "server:/export share");
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
