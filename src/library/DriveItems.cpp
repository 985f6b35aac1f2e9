#include "library/DriveItems.h"

#include <algorithm>

#include "commands/CommandIds.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {
constexpr int kMaxDriveItems = cmd::kLastDriveItem - cmd::kFirstDriveItem + 1;
}  // namespace

DriveItems::DriveItems(MenuModel& menu, CommandTable& commands, Drives& drives,
                       std::function<void()> textsChanged)
    : menu_(menu), commands_(commands), drives_(drives), textsChanged_(std::move(textsChanged)) {}

bool DriveItems::update() {
  std::map<int, Item> items = itemsFor(drives_.opticalDrives());
  if (items == items_) return false;
  replaceItems(std::move(items));
  return true;
}

// A drive keeps the identifier it has; a new one takes the identifier of its device number, so
// that a key assigned to "eject sr1" stays with that drive from run to run, or the next free
// one when that is taken.
std::map<int, DriveItems::Item> DriveItems::itemsFor(
    const std::vector<OpticalDrive>& drives) const {
  std::map<int, Item> items;
  std::vector<const OpticalDrive*> newcomers;
  for (const OpticalDrive& drive : drives) {
    auto known = std::find_if(items_.begin(), items_.end(), [&](const auto& entry) {
      return entry.second.device == drive.device;
    });
    if (known == items_.end()) {
      newcomers.push_back(&drive);
      continue;
    }
    const bool discMounted = drive.root != drive.device && drive.root != known->second.root;
    items[known->first] = {drive.root, drive.device, known->second.trayOpen && !discMounted};
  }
  for (const OpticalDrive* drive : newcomers) {
    int id = cmd::kFirstDriveItem + std::clamp(drive->number, 0, kMaxDriveItems - 1);
    const int wanted = id;
    while (items.count(id) != 0) {
      id = id == cmd::kLastDriveItem ? cmd::kFirstDriveItem : id + 1;
      if (id == wanted) return items;  // every identifier is taken
    }
    items[id] = {drive->root, drive->device, false};
  }
  return items;
}

void DriveItems::replaceItems(std::map<int, Item> items) {
  if (!items_.empty()) menu_.removeSeparatorBefore(cmd::kExit);
  for (const auto& [id, item] : items_) {
    menu_.remove(id);
    commands_.remove(id);
  }
  items_ = std::move(items);
  // In the order of their identifiers, as the drive letters were.
  for (const auto& [id, item] : items_) {
    commands_.add(id, [this, id = id] { moveTray(id); });
    menu_.insertBefore(cmd::kExit, MenuItem::command(id, textOf(item)));
  }
  if (!items_.empty()) menu_.insertBefore(cmd::kExit, MenuItem::makeSeparator());
  if (textsChanged_) textsChanged_();
}

void DriveItems::relabel() {
  for (auto& [id, item] : items_) {
    item.trayOpen = false;
    menu_.setText(id, textOf(item));
  }
}

// The text changes even when the drive cannot be reached: it says what was asked last.
void DriveItems::moveTray(int id) {
  auto found = items_.find(id);
  if (found == items_.end()) return;
  Item& item = found->second;
  item.trayOpen = !item.trayOpen;
  menu_.setText(id, textOf(item));
  if (textsChanged_) textsChanged_();
  drives_.setTrayOpen(item.device, item.trayOpen);
}

std::string DriveItems::textOf(const Item& item) const {
  return item.root + " " + (item.trayOpen ? uiTexts().driveInsert : uiTexts().driveEject);
}

}  // namespace orbis
