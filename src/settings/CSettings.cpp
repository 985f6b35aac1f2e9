#include "settings/CSettings.h"

#include <filesystem>

#include "commands/CommandIds.h"
#include "settings/AppFolders.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {

SettingsChoices choicesOf(const Settings& settings) {
  SettingsChoices c;
  c.searchBookOnStart = settings.SearchBookOnStart;
  c.soundOnHeadingChange = settings.SoundOnHeadingChange;
  c.soundOnSubLevels = settings.SoundOnSubLevels;
  c.hideButtons = settings.HideButtons;
  c.hideCurrentText = settings.HideCurrentText;
  c.alwaysShowTree = settings.AlwaysShowTree;
  c.checkUpdatesOnStart = settings.CheckUpdatesOnStart;
  c.startFocus = settings.StartFocus;
  c.zipTempFolder = settings.ZipTempFolder;
  return c;
}

void store(const SettingsChoices& c, Settings& settings) {
  settings.SearchBookOnStart = c.searchBookOnStart;
  settings.SoundOnHeadingChange = c.soundOnHeadingChange;
  settings.SoundOnSubLevels = c.soundOnSubLevels;
  settings.HideButtons = c.hideButtons;
  settings.HideCurrentText = c.hideCurrentText;
  settings.AlwaysShowTree = c.alwaysShowTree;
  settings.CheckUpdatesOnStart = c.checkUpdatesOnStart;
  settings.StartFocus = c.startFocus;
  settings.ZipTempFolder = c.zipTempFolder;
}

bool isFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace

CSettings::CSettings(Settings& settings, Dialogs& dialogs, std::string homeFolder)
    : settings_(settings), dialogs_(dialogs), homeFolder_(std::move(homeFolder)) {}

void CSettings::onInitDialog() {
  original_ = choicesOf(settings_);
  refresh();
  onOptionClicked();
}

void CSettings::takeOver() {
  store(choices_, settings_);
}

void CSettings::refresh() {
  choices_ = choicesOf(settings_);
}

void CSettings::onOptionClicked() {
  focusRequest_ = 0;
  takeOver();
  settings_.applyFocusRules();
  refresh();
}

bool CSettings::isEnabled(int controlId) const {
  switch (controlId) {
    case kFocusButtons:
      return !settings_.HideButtons;
    case kFocusCurrentText:
      return !settings_.HideCurrentText;
    case kFocusTree:
      return settings_.AlwaysShowTree;
    default:
      return true;
  }
}

// The folder chooser opens where the unpacking folder is; a folder that is gone, or was never
// set, sends it to the reader's home.
std::string CSettings::browseStart() const {
  return isFolder(choices_.zipTempFolder) ? choices_.zipTempFolder : homeFolder_;
}

void CSettings::onBrowse() {
  focusRequest_ = 0;
  takeOver();
  const std::optional<std::string> folder =
      dialogs_.chooseFolder(uiTexts().zipTempFolderLabel, browseStart());
  if (!folder || folder->empty()) return;
  settings_.ZipTempFolder = withTrailingSlash(*folder);
  refresh();
}

bool CSettings::onOk() {
  focusRequest_ = 0;
  takeOver();
  if (settings_.StartFocus >= Settings::kFocusTextView &&
      settings_.StartFocus <= Settings::kFocusTree) {
    return true;
  }
  dialogs_.messageBox(uiTexts().startFocusMissing, uiTexts().menuItems[cmd::kGlobalSettings],
                      MessageButtons::Ok, MessageIcon::Warning);
  settings_.StartFocus = Settings::kFocusTextView;
  // The buttons' radio where it can take the focus; while the buttons are hidden it cannot.
  focusRequest_ = isEnabled(kFocusButtons) ? kFocusButtons : kFocusTextView;
  return false;
}

void CSettings::onCancel() {
  store(original_, settings_);
  refresh();
}

}  // namespace orbis
