#include "platform/LinuxDrives.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace orbis {

namespace fs = std::filesystem;

namespace {

struct Mount {
  std::string device;
  std::string point;
  std::string type;
};

bool isOctal(char c) {
  return c >= '0' && c <= '7';
}

// /proc/self/mounts writes blanks in paths as \040.
std::string unescapeMountField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
        isOctal(field[i + 2]) && isOctal(field[i + 3])) {
      out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
      i += 3;
      continue;
    }
    out += field[i];
  }
  return out;
}

// udev writes unsafe characters of a label as \xHH.
std::string unescapeLabel(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
        std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
        std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
      out += static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16));
      i += 3;
      continue;
    }
    out += name[i];
  }
  return out;
}

std::vector<Mount> readMounts(const std::string& path) {
  std::vector<Mount> mounts;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    Mount mount;
    fields >> mount.device >> mount.point >> mount.type;
    if (mount.type.empty()) continue;
    mount.device = unescapeMountField(mount.device);
    mount.point = unescapeMountField(mount.point);
    mounts.push_back(std::move(mount));
  }
  return mounts;
}

std::string firstLine(const fs::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// The kernel's name of a device node: "/dev/sdb1" and its udev links give "sdb1".
std::string blockName(const std::string& device) {
  std::error_code error;
  const fs::path real = fs::canonical(device, error);
  return (error ? fs::path(device) : real).filename().string();
}

bool under(const std::string& path, const std::string& folder) {
  return path == folder ||
         (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
          (folder.back() == '/' || path[folder.size()] == '/'));
}

class BlockDevices {
 public:
  explicit BlockDevices(std::string sysBlock) : sysBlock_(std::move(sysBlock)) {}

  // The whole disk a device or partition belongs to; empty when sysfs does not know it.
  std::string diskOf(const std::string& name) const {
    std::error_code error;
    if (name.empty()) return {};
    if (fs::exists(fs::path(sysBlock_) / name, error)) return name;
    for (const auto& entry : fs::directory_iterator(sysBlock_, error)) {
      if (fs::exists(entry.path() / name, error)) return entry.path().filename().string();
    }
    return {};
  }

  DriveKind kindOf(const std::string& disk) const {
    if (disk.rfind("sr", 0) == 0) return DriveKind::Optical;
    if (disk.empty()) return DriveKind::Fixed;
    const fs::path entry = fs::path(sysBlock_) / disk;
    if (firstLine(entry / "removable") == "1") return DriveKind::Removable;
    // USB hard disks and many card readers call themselves fixed; the bus tells the truth.
    std::error_code error;
    const std::string real = fs::canonical(entry, error).string();
    if (!error && real.find("/usb") != std::string::npos) return DriveKind::Removable;
    return DriveKind::Fixed;
  }

 private:
  std::string sysBlock_;
};

std::map<std::string, std::string> readLabels(const std::string& byLabel) {
  std::map<std::string, std::string> labels;  // block name -> label
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(byLabel, error)) {
    const fs::path target = fs::read_symlink(entry.path(), error);
    if (error) continue;
    labels[target.filename().string()] = unescapeLabel(entry.path().filename().string());
  }
  return labels;
}

// Boot, snap and loop mounts are the system's business, not the reader's.
bool systemMount(const Mount& mount) {
  if (mount.device.rfind("/dev/", 0) != 0) return true;  // proc, tmpfs, overlay, ...
  if (mount.device.rfind("/dev/loop", 0) == 0 || mount.type == "squashfs") return true;
  for (const char* folder : {"/boot", "/efi", "/snap", "/var/snap", "/var/lib/snapd"}) {
    if (under(mount.point, folder)) return true;
  }
  return false;
}

// Where the reader's own files live: the mount that holds the home folder, whatever backs it
// (ZFS and container roots have no device node).
std::string homeMount(const std::vector<Mount>& mounts, const std::string& home) {
  std::string best;
  for (const Mount& mount : mounts) {
    if (under(home, mount.point) && mount.point.size() > best.size()) best = mount.point;
  }
  return best;
}

bool mediaFolder(const std::string& point) {
  return under(point, "/media") || under(point, "/run/media") || under(point, "/mnt");
}

int minorNumber(const fs::path& sysEntry, const std::string& name) {
  const std::string numbers = firstLine(sysEntry / "dev");
  const auto colon = numbers.find(':');
  if (colon != std::string::npos) return std::atoi(numbers.c_str() + colon + 1);
  const auto digits = name.find_first_of("0123456789");
  return digits == std::string::npos ? 0 : std::atoi(name.c_str() + digits);
}

std::string mountPointOf(const std::string& mountsFile, const std::string& device) {
  std::string point;
  for (const Mount& mount : readMounts(mountsFile)) {
    if (mount.device == device) point = mount.point;
  }
  return point;
}

// The desktop's way to let go of a disc: udisks2 unmounts it for the user without a password.
void unmountThroughUdisks(const std::string& device) {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return;
  const QString path = QStringLiteral("/org/freedesktop/UDisks2/block_devices/") +
                       QString::fromStdString(blockName(device));
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.UDisks2"), path,
      QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Unmount"));
  call << QVariantMap{};
  bus.call(call, QDBus::Block, 10000);
}

}  // namespace

std::vector<Drive> LinuxDrives::drives() const {
  const std::vector<Mount> mounts = readMounts(sources_.mounts);
  const BlockDevices blocks(sources_.sysBlock);
  const auto labels = readLabels(sources_.byLabel);
  std::string home = sources_.home;
  if (home.empty()) {
    if (const char* value = std::getenv("HOME")) home = value;
  }
  const std::string homePoint = home.empty() ? std::string() : homeMount(mounts, home);

  std::vector<Drive> drives;
  for (const Mount& mount : mounts) {
    const bool ownFiles = mount.point == "/" || mount.point == homePoint;
    if (!ownFiles && systemMount(mount)) continue;
    const std::string name = blockName(mount.device);
    const DriveKind kind = blocks.kindOf(blocks.diskOf(name));
    const bool wanted = ownFiles || kind != DriveKind::Fixed || mediaFolder(mount.point);
    if (!wanted) continue;
    auto label = labels.find(name);
    Drive drive{mount.point, label == labels.end() ? std::string() : label->second, kind,
                mount.device};
    // A later mount on the same point hides the earlier one; a device mounted twice is one
    // drive.
    auto same = std::find_if(drives.begin(), drives.end(), [&](const Drive& d) {
      return d.root == drive.root || d.device == drive.device;
    });
    if (same == drives.end()) {
      drives.push_back(std::move(drive));
    } else if (same->root == drive.root) {
      *same = std::move(drive);
    }
  }
  for (const OpticalDrive& optical : opticalDrives()) {
    if (optical.root == optical.device) {
      drives.push_back({optical.device, {}, DriveKind::Optical, optical.device});
    }
  }
  return drives;
}

std::vector<OpticalDrive> LinuxDrives::opticalDrives() const {
  std::vector<OpticalDrive> drives;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(sources_.sysBlock, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("sr", 0) == 0) {
      drives.push_back({"/dev/" + name, "/dev/" + name, minorNumber(entry.path(), name)});
    }
  }
  std::sort(drives.begin(), drives.end(),
            [](const OpticalDrive& a, const OpticalDrive& b) { return a.number < b.number; });
  for (const Mount& mount : readMounts(sources_.mounts)) {
    for (auto& drive : drives) {
      if (drive.device == mount.device) drive.root = mount.point;
    }
  }
  return drives;
}

bool LinuxDrives::setTrayOpen(const std::string& device, bool open) {
  if (open && !mountPointOf(sources_.mounts, device).empty()) unmountThroughUdisks(device);
  const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  const int result = ::ioctl(fd, open ? CDROMEJECT : CDROMCLOSETRAY, 0);
  ::close(fd);
  return result == 0;
}

}  // namespace orbis
