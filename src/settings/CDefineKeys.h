#pragma once
#include <map>
#include <string>
#include <vector>

#include "commands/MenuModel.h"
#include "ports/Dialogs.h"
#include "ports/Sounds.h"
#include "settings/KeyText.h"

namespace orbis {

// What the key assignment dialog works with.
struct KeyDialogContext {
  const MenuModel& menu;  // lists every command item, in menu order, with its current text
  // Commands without a menu item, listed after the menu with these texts so that they can be
  // given keys too.
  const std::map<int, std::string>& menulessCommands;
  std::string activeKeyPath;
  std::string profileFolder;  // ends in "/"
  std::string programFolder;  // for the interface sounds
  const KeyNames& keyNames;
  Dialogs& dialogs;
  Sounds& sounds;
};

// The key held by the key capture control: a virtual-key code and the modifier bits of the
// key files (0 and 0 when it is empty).
struct CapturedKey {
  int virtualKey = 0;
  int modifiers = 0;
};

// The key assignment dialog: every command with its key, one key given at a time, written to the
// active key file at once; profiles saved and loaded; the built-in keys restored. Three parallel
// lists stand for the dialog's list boxes: the shown texts, the command identifiers and the raw
// key values, one index one command.
class CDefineKeys {
 public:
  static constexpr int kFunctionList = 1061;
  static constexpr int kFunctionLabel = 1062;
  static constexpr int kHotkeyLabel = 1064;
  static constexpr int kHotkey = 1079;
  static constexpr int kAssign = 1045;
  static constexpr int kSaveProfile = 1068;
  static constexpr int kLoadProfile = 1069;
  static constexpr int kRestoreDefaults = 1067;

  explicit CDefineKeys(KeyDialogContext context);

  void onInitDialog();
  // The reader moved to another command: the capture control shows its key.
  void onSelect(int index);
  // "&Speichern": the captured key goes to the selected command.
  void onAssign();
  void onSaveProfile();
  void onLoadProfile();
  void onRestoreDefaults();

  CapturedKey& capturedKey() { return captured_; }
  const std::vector<std::string>& displayTexts() const { return display_; }
  const std::vector<int>& commandIds() const { return ids_; }
  const std::vector<std::string>& keyValues() const { return values_; }
  int selected() const { return selected_; }
  const std::string& title() const { return title_; }
  // The control that should take the focus after an action; 0 when it stays where it is.
  int focusRequest() const { return focusRequest_; }

 private:
  void fillLists();
  void selectFirst();
  void setTitle(const std::string& profileName);
  std::string displayText(const std::string& path, const std::string& value) const;
  void refreshDisplay(size_t index);
  // Asks about every other command that holds the key; false when the reader keeps one of them.
  bool releaseFromOthers(int virtualKey, int modifiers);
  bool writeKey(size_t index, const std::string& value);
  void reportFailure(const std::string& text);
  void recordProfile(const std::string& chosenPath);

  KeyDialogContext ctx_;
  std::vector<std::string> display_;
  std::vector<std::string> paths_;  // the shown text without the key part
  std::vector<int> ids_;
  std::vector<std::string> values_;
  int selected_ = -1;
  CapturedKey captured_;
  std::string title_;
  int focusRequest_ = 0;
};

}  // namespace orbis
