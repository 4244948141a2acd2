// The drive box's places.
#include "external/folder_roots.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(FolderRoots, RootHomeThenRemovableAndNetworkVolumes) {
    const std::string mounts =
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /media/u/USB\\040STICK vfat rw 0 0\n"
        "server:/x /srv/share nfs4 rw 0 0\n"
        "/dev/sdc1 /mnt/data ext4 rw 0 0\n"
        "/dev/sdc1 /mnt/data ext4 rw 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "/dev/sdd /media vfat rw 0 0\n"
        "broken\n";
    EXPECT_EQ(FolderRoots(mounts, "/home/u"),
              (std::vector<std::string>{"/", "/home/u", "/media/u/USB STICK", "/srv/share", "/mnt/data"}));
    EXPECT_EQ(FolderRoots("", ""), std::vector<std::string>{"/"});
    EXPECT_EQ(FolderRoots("", "/"), std::vector<std::string>{"/"});
}

}  // namespace
}  // namespace qz
