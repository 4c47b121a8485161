#include "TestSupport.h"
#include "platform/Drives.h"
#include "platform/InstanceLock.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
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

// An instance that starts while the first is still between its check and
// taking its share: it must be admitted as a second one and hold the name.
TEST(InstanceLockTest, StartDuringAnotherStartKeepsTheNameAlive) {
    const std::string name = "Pemmaro Mutex meanwhile " + std::to_string(::getpid());
    int end[2];
    int news[2]; // the second reports 's' as it starts and 'h' once it holds the lock
    ASSERT_EQ(::pipe(end), 0);
    ASSERT_EQ(::pipe(news), 0);
    pid_t second = -1;
    char byte = 0;
    set_instance_lock_check_hook([&] {
        second = ::fork();
        if (second == 0) {
            // A process of its own holds none of the first one's open files.
            ::dup2(end[0], 3);
            ::dup2(news[1], 4);
            ::close_range(5, ~0U, 0);
            static_cast<void>(::write(4, "s", 1));
            InstanceLock lock(name);
            static_cast<void>(::write(4, "h", 1));
            static_cast<void>(::read(3, &byte, 1));
            ::_exit(lock.already_existed() ? 0 : 1);
        }
        static_cast<void>(::read(news[0], &byte, 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    });
    EXPECT_FALSE(InstanceLock(name).already_existed());
    set_instance_lock_check_hook(nullptr);
    ::close(end[0]);
    ::close(news[1]);
    ASSERT_GT(second, 0);
    EXPECT_EQ(::read(news[0], &byte, 1), 1);
    ::close(news[0]);

    EXPECT_TRUE(InstanceLock(name).already_existed()) << "the second one still runs";
    ::close(end[1]);
    int status = -1;
    ::waitpid(second, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the second saw the first";
}

// Another user can neither plant the lock file nor hold it.
TEST(InstanceLockTest, LocksLiveInAFolderOfTheUsersOwn) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    TempDir shared;
    ::chmod(shared.path().c_str(), 01777);
    const std::string own = "/tmp/pemmaro-" + std::to_string(::geteuid());
    for (bool shared_runtime : {true, false}) {
        if (shared_runtime)
            qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(shared.path()));
        else
            qunsetenv("XDG_RUNTIME_DIR");
        const InstanceLock lock("Pemmaro Mutex own " + std::to_string(::getpid()));
        EXPECT_EQ(lock.lock_path().rfind(own + "/", 0), 0u) << lock.lock_path();
        struct stat info {};
        ASSERT_EQ(::lstat(own.c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_EQ(info.st_uid, ::geteuid());
    }
    if (runtime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", runtime);
}
