#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "commands/CommandTable.h"
#include "commands/MenuModel.h"
#include "ports/Drives.h"

namespace orbis {

// The drive-door items of the first menu: one per disc drive, just before its last item and
// followed by a separator, each reading the drive's root and what its next use does to the
// tray. Each item remembers whether its last use opened the tray; that state, never the item's
// text (a disc's mount point may hold any word), decides the next move.
class DriveItems {
 public:
  // textsChanged runs after item texts changed, so that key hints and the menu bar follow.
  DriveItems(MenuModel& menu, CommandTable& commands, Drives& drives,
             std::function<void()> textsChanged);

  // Brings the items in line with the disc drives the system has now: items come and go with
  // their drives and read the root a disc is mounted on. A drive that stays keeps its item and
  // its tray state, unless a disc was mounted in it (its tray is closed then). True when the
  // menu changed.
  bool update();
  // Every item offers to open its tray again, in the current language.
  void relabel();

 private:
  struct Item {
    std::string root;
    std::string device;
    bool trayOpen = false;
    bool operator==(const Item&) const = default;
  };
  std::map<int, Item> itemsFor(const std::vector<OpticalDrive>& drives) const;
  void replaceItems(std::map<int, Item> items);
  void moveTray(int id);
  std::string textOf(const Item& item) const;

  MenuModel& menu_;
  CommandTable& commands_;
  Drives& drives_;
  std::function<void()> textsChanged_;
  std::map<int, Item> items_;  // by command identifier, in menu order
};

}  // namespace orbis
