#pragma once
#include <string>

#include "ports/Dialogs.h"
#include "settings/Settings.h"

namespace orbis {

// What the controls of the settings dialog show. The focus choice is -1 while no radio button
// of the group is selected.
struct SettingsChoices {
  bool searchBookOnStart = false;
  bool soundOnHeadingChange = false;
  bool soundOnSubLevels = false;
  bool hideButtons = false;
  bool hideCurrentText = false;
  bool alwaysShowTree = false;
  bool checkUpdatesOnStart = false;
  int startFocus = -1;
  std::string zipTempFolder;
  bool operator==(const SettingsChoices&) const = default;
};

// The global settings dialog: ten settings edited in place. The dialog on screen puts what the
// reader set into choices() before it calls an action and shows choices() again afterwards.
class CSettings {
 public:
  // Control identifiers of the dialog.
  static constexpr int kSearchBookOnStart = 1066;
  static constexpr int kSoundOnHeadingChange = 1067;
  static constexpr int kSoundOnSubLevels = 1070;
  static constexpr int kHideButtons = 1068;
  static constexpr int kHideCurrentText = 1069;
  static constexpr int kAlwaysShowTree = 1045;
  static constexpr int kFocusGroup = 1071;
  static constexpr int kFocusTextView = 1073;
  static constexpr int kFocusCurrentText = 1072;
  static constexpr int kFocusButtons = 1075;
  static constexpr int kFocusTree = 1074;
  static constexpr int kZipFolderLabel = 1078;
  static constexpr int kZipFolder = 1046;
  static constexpr int kBrowse = 1077;
  static constexpr int kCheckUpdatesOnStart = 1080;

  // The radio buttons in the order of their values (0 text view ... 3 tree).
  static constexpr int kFocusRadios[4] = {kFocusTextView, kFocusCurrentText, kFocusButtons,
                                          kFocusTree};

  // homeFolder is where the folder chooser starts when the unpacking folder does not exist.
  CSettings(Settings& settings, Dialogs& dialogs, std::string homeFolder);

  // Fills the controls from the settings and runs the enabling step once.
  void onInitDialog();
  // A click on "hide buttons", "hide current text" or "always show tree": every choice is taken
  // over and the focus radios that stand for a hidden control are disabled.
  void onOptionClicked();
  // The "..." button: a folder chooser for the unpacking folder.
  void onBrowse();
  // True when the dialog may close; false after telling the reader to choose a focus.
  bool onOk();
  // Cancel gives the settings back as they were when the dialog opened.
  void onCancel();

  SettingsChoices& choices() { return choices_; }
  const SettingsChoices& choices() const { return choices_; }
  bool isEnabled(int controlId) const;
  // The control that should take the focus after an action; 0 when it stays where it is.
  int focusRequest() const { return focusRequest_; }

 private:
  void takeOver();
  void refresh();
  std::string browseStart() const;

  Settings& settings_;
  SettingsChoices original_;  // the ten settings as they were when the dialog opened
  Dialogs& dialogs_;
  std::string homeFolder_;
  SettingsChoices choices_;
  int focusRequest_ = 0;
};

}  // namespace orbis
