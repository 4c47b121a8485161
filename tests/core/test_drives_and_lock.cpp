#include "TestSupport.h"
#include "platform/Drives.h"
#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const char* const mountinfo =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "30 22 0:25 / /tmp rw shared:5 - tmpfs tmpfs rw\n"
    "41 22 11:0 / /media/cdrom ro,relatime shared:9 - iso9660 /dev/sr0 ro\n"
    "42 22 11:1 / /media/dvd\\040disc ro shared:10 - udf /dev/sr1 ro\n"
    "43 22 0:50 / /mnt/share rw shared:11 master:2 - nfs4 server:/export rw\n"
    "44 22 8:17 / /media/stick rw - vfat /dev/sr2 rw\n"
    "45 22 8:33 / /media/cd rw - ext4 /dev/sdc1 rw\n";

} // namespace

TEST(Drives, MediumOfAPathComesFromTheLongestMountPoint) {
    EXPECT_EQ(drive_type_in(mountinfo, "/home/user/disc"), DriveType::fixed);
    EXPECT_EQ(drive_type_in(mountinfo, "/media/cdrom/tapes/07"), DriveType::cd_rom);
    EXPECT_EQ(drive_type_in(mountinfo, "/media/cdrom"), DriveType::cd_rom);
    EXPECT_EQ(drive_type_in(mountinfo, "/media/cdromx"), DriveType::fixed);
    EXPECT_EQ(drive_type_in(mountinfo, "/media/dvd disc/x"), DriveType::cd_rom);
    EXPECT_EQ(drive_type_in(mountinfo, "/media/stick/x"), DriveType::cd_rom); // optical device
    EXPECT_EQ(drive_type_in(mountinfo, "/media/cd/x"), DriveType::fixed);
    EXPECT_EQ(drive_type_in(mountinfo, "/mnt/share/a"), DriveType::remote);
    EXPECT_EQ(drive_type_in(mountinfo, "/tmp/a"), DriveType::ram_disk);
    EXPECT_EQ(drive_type_in(mountinfo, "relative"), DriveType::no_root_dir);
    EXPECT_EQ(drive_type_in("garbage\n\n1 2\n", "/x"), DriveType::unknown);
}

TEST(Drives, MountPointOfAPath) {
    EXPECT_EQ(mount_point_in(mountinfo, "/media/cdrom/DATA/x"), "/media/cdrom");
    EXPECT_EQ(mount_point_in(mountinfo, "/media/dvd disc"), "/media/dvd disc");
    EXPECT_EQ(mount_point_in(mountinfo, "/home"), "/");
}

TEST(Drives, DriveLetterPathsAreNoCdRomHere) {
    EXPECT_EQ(drive_type("E:\\"), DriveType::no_root_dir);
    EXPECT_FALSE(is_on_cd_rom("E:\\DATA"));
    EXPECT_NE(drive_type("/"), DriveType::cd_rom);
}

TEST(InstanceLockTest, SecondHolderOfTheNameSeesTheFirst) {
    const std::string name = "Pemmaro Mutex test/" + std::to_string(::getpid());
    InstanceLock first(name);
    EXPECT_FALSE(first.already_existed());
    // flock locks belong to open files, so a second lock in this process sees the first.
    InstanceLock second(name);
    EXPECT_TRUE(second.already_existed());
    EXPECT_EQ(first.lock_path().find('/', runtime_directory().size() + 1), std::string::npos);
}

TEST(InstanceLockTest, LockEndsWithItsProcess) {
    const std::string name = "Pemmaro Mutex ends " + std::to_string(::getpid());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock held(name);
        ::_exit(held.already_existed() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    InstanceLock after(name);
    EXPECT_FALSE(after.already_existed());
}

TEST(InstanceLockTest, SecondInstanceKeepsTheNameAliveAfterTheFirstEnds) {
    const std::string name = "Pemmaro Mutex alive " + std::to_string(::getpid());
    auto first = std::make_unique<InstanceLock>(name);
    InstanceLock second(name);
    first.reset();
    InstanceLock third(name);
    EXPECT_TRUE(third.already_existed());
}
