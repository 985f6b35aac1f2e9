#pragma once
#include <optional>
#include <string>
#include <vector>

#include "settings/KeyText.h"

namespace orbis {

class MenuModel;

// One key of the table: a virtual-key code with the modifiers that must be held.
struct Accelerator {
  int virtualKey = 0;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  int commandId = 0;
  bool operator==(const Accelerator&) const = default;
};

// The main window's keys: built from the active key file for the command items of the main
// menu, which at the same time get their key written behind their text as a hint.
class AcceleratorTable {
 public:
  // Replaces the table: walks the menu in order, reads each command's key from the key file,
  // adds an entry for every key and sets each command's text to its text (without any earlier
  // hint) + tab + key text. The commands without a menu item (`menulessCommands`) get their
  // keys after the menu's, so an item of the menu keeps a key that both hold. Ends by redrawing
  // the menu bar.
  void rebuild(MenuModel& menu, const std::string& activeKeyPath, const KeyNames& names,
               const std::vector<int>& menulessCommands = {});

  // The command of a key press; the first entry wins when two commands hold one key.
  std::optional<int> commandFor(int virtualKey, bool ctrl, bool alt, bool shift) const;

  const std::vector<Accelerator>& entries() const { return entries_; }
  // Command items counted by the last rebuild; it also limits how many built-in keys are
  // written when the key file is made.
  int commandItemCount() const { return commandItemCount_; }

 private:
  std::vector<Accelerator> entries_;
  int commandItemCount_ = 0;
};

}  // namespace orbis
