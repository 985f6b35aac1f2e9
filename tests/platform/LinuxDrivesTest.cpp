#include "platform/LinuxDrives.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// A machine with a system disk, a USB stick, a USB hard disk that calls itself fixed, two disc
// drives (one with a disc) and the usual pseudo, boot and snap mounts.
class LinuxDrivesTest : public ::testing::Test {
 protected:
  LinuxDrivesTest() {
    sys.write("devices/pci0/ata1/sda/removable", "0\n");
    sys.write("devices/pci0/ata1/sda/sda1/dev", "8:1\n");
    sys.write("devices/pci0/ata1/sda/sda2/dev", "8:2\n");
    sys.write("devices/pci0/usb1/sdb/removable", "1\n");
    sys.write("devices/pci0/usb1/sdb/sdb1/dev", "8:17\n");
    sys.write("devices/pci0/usb2/sdc/removable", "0\n");
    sys.write("devices/pci0/usb2/sdc/sdc1/dev", "8:33\n");
    sys.write("devices/pci0/ata2/sr0/dev", "11:0\n");
    sys.write("devices/pci0/ata3/sr1/dev", "11:1\n");
    sys.write("devices/virtual/loop0/removable", "0\n");
    fs::create_directories(sys.path() / "block");
    for (const char* disk : {"ata1/sda", "usb1/sdb", "usb2/sdc", "ata2/sr0", "ata3/sr1"}) {
      const fs::path target = sys.path() / "devices/pci0" / disk;
      fs::create_directory_symlink(target, sys.path() / "block" / target.filename());
    }
    fs::create_directories(labels.path());
    fs::create_symlink("../../sdb1", labels.path() / "BOOKS\\x20STICK");
    fs::create_symlink("../../sr1", labels.path() / "DAISY_CD");
  }

  LinuxDrives drives(const std::string& mounts) {
    sys.write("mounts", mounts);
    return LinuxDrives(DriveSources{(sys.path() / "block").string(),
                                    (sys.path() / "mounts").string(), labels.str(), "/home/anna"});
  }

  TempDir sys;
  TempDir labels;
};

TEST_F(LinuxDrivesTest, ListsTheDrivesAReaderKnows) {
  auto machine = drives(
      "/dev/sda1 / ext4 rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "/dev/sda1 /var/lib/docker ext4 rw 0 0\n"
      "/dev/nvme0n1p1 /boot/efi vfat rw 0 0\n"
      "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
      "/dev/sdb1 /media/anna/BOOKS\\040STICK vfat rw 0 0\n"
      "/dev/sdc1 /srv/backup ext4 rw 0 0\n"
      "/dev/sr1 /media/anna/DAISY_CD iso9660 ro 0 0\n");
  const std::vector<Drive> list = machine.drives();
  ASSERT_EQ(list.size(), 6u);
  EXPECT_EQ(list[0].root, "/");
  EXPECT_EQ(list[0].kind, DriveKind::Fixed);
  EXPECT_EQ(list[1].root, "/home");
  EXPECT_EQ(list[2].root, "/media/anna/BOOKS STICK");
  EXPECT_EQ(list[2].label, "BOOKS STICK");
  EXPECT_EQ(list[2].kind, DriveKind::Removable);
  // Plugged in by USB, though it calls itself fixed.
  EXPECT_EQ(list[3].root, "/srv/backup");
  EXPECT_EQ(list[3].kind, DriveKind::Removable);
  EXPECT_EQ(list[4].label, "DAISY_CD");
  EXPECT_EQ(list[4].kind, DriveKind::Optical);
  // The empty disc drive is there all the same, under its device.
  EXPECT_EQ(list[5].root, "/dev/sr0");
  EXPECT_EQ(list[5].kind, DriveKind::Optical);
  EXPECT_TRUE(list[5].label.empty());

  const auto optical = machine.opticalDrives();
  ASSERT_EQ(optical.size(), 2u);
  EXPECT_EQ(optical[1].root, "/media/anna/DAISY_CD");
  EXPECT_EQ(optical[1].number, 1);
}

TEST_F(LinuxDrivesTest, ASystemWithoutMountsStillHasItsDiscDrives) {
  auto machine = drives("");
  const auto list = machine.drives();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].device, "/dev/sr0");
}

}  // namespace
}  // namespace orbis
