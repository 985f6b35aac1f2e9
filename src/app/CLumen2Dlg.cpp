#include "app/CLumen2Dlg.h"

#include "app/CommandIds.h"
#include "app/MainMenu.h"
#include "app/Relabel.h"
#include "app/UiTexts.h"
#include "settings/BuiltinKeys.h"

namespace orbis {

namespace {
constexpr unsigned kFocusAnswerTag = 0x534B0000u;
// Windows virtual-key codes of the keys the filter knows by themselves.
constexpr int kVkTab = 9;
constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkF1 = 112;
constexpr int kVkF6 = 117;
constexpr int kMaxDriveItems = cmd::kLastDriveItem - cmd::kFirstDriveItem + 1;
}  // namespace

CLumen2Dlg::CLumen2Dlg(AppFolders folders, MainPorts ports)
    : folders_(std::move(folders)), ports_(ports), menu_(buildMainMenu()) {
  registerCommands();
  menu_.onRedraw([this] { ports_.view.redrawMenu(); });
}

CLumen2Dlg::~CLumen2Dlg() = default;

void CLumen2Dlg::registerCommands() {
  commands_[cmd::kExit] = [this] { onClose(); };
  commands_[cmd::kGerman] = [this] { languageCommand(kLanguageGerman); };
  commands_[cmd::kEnglish] = [this] { languageCommand(kLanguageEnglish); };
  commands_[cmd::kHelp] = [this] { openHelp(); };
  commands_[cmd::kAbout] = [this] { ports_.view.showAboutBox(); };
  commands_[cmd::kSystemAbout] = [this] { ports_.view.showAboutBox(); };
}

void CLumen2Dlg::insertDriveItems() {
  const auto drives = ports_.drives.opticalDrives();
  int inserted = 0;
  for (const auto& drive : drives) {
    if (inserted == kMaxDriveItems) break;
    const int id = cmd::kFirstDriveItem + inserted++;
    driveRoots_[id] = drive.root;
    menu_.insertBefore(cmd::kExit, MenuItem::command(id, drive.root + " " + uiTexts().driveEject));
  }
  if (inserted > 0) menu_.insertBefore(cmd::kExit, MenuItem::makeSeparator());
}

void CLumen2Dlg::onInitDialog() {
  ports_.sounds.play(folders_.programFolder + "UISounds/OrbisVeloraStarted.wav", false);
  insertDriveItems();
  ensureActiveKeyFile(folders_.programFolder, folders_.activeKeyTable(), menu_.commandCount());
  relabel();
  loadSettings();
  onSize();
  if (showPage) showPage(startPagePath());
  startPageShown_ = true;
  ports_.view.focusControl(ctl::kTextView);
}

void CLumen2Dlg::loadSettings() {
  settings_ = Settings::defaults(folders_.dataFolder);
  settings_.load(settingsPath(), folders_.dataFolder);
  // A stored language other than German or English keeps the German texts with no language
  // item marked.
  if (settings_.Language == kLanguageGerman || settings_.Language == kLanguageEnglish) {
    languageCommand(settings_.Language);
  }
}

void CLumen2Dlg::relabel() {
  relabelMenu(menu_, uiTexts(), languageIndex(), driveRoots_);
  relabelControls(ports_.view, uiTexts());
  rebuildAccelerators();
}

// The key hints go behind the freshly set menu texts, so they never pile up.
void CLumen2Dlg::rebuildAccelerators() {
  accelerators_.rebuild(menu_, folders_.activeKeyTable(), ports_.keyNames);
}

bool CLumen2Dlg::onCommand(int id) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  it->second();
  return true;
}

void CLumen2Dlg::onSize() {
  LayoutInput input;
  input.clientWidth = ports_.view.clientWidth();
  input.clientHeight = ports_.view.clientHeight();
  input.buttonSize = kButtonSize;
  input.currentTextHeight = kCurrentTextHeight;
  input.hideButtons = settings_.HideButtons;
  input.hideCurrentText = settings_.HideCurrentText;
  input.treeVisible = settings_.TreeVisible;
  layout_ = layoutMainWindow(input);
  ports_.view.applyLayout(layout_);
  if (menu_.isEnabled(cmd::kBraille) != layout_.brailleEnabled) {
    menu_.setEnabled(cmd::kBraille, layout_.brailleEnabled);
    ports_.view.redrawMenu();
  }
}

void CLumen2Dlg::languageCommand(int index) {
  if (index != kLanguageGerman && index != kLanguageEnglish) return;
  languageIndex() = index;
  settings_.Language = index;
  fillTexts(uiTexts(), index);
  if (!book_.open) {
    if (showPage) showPage(startPagePath());
    startPageShown_ = true;
  }
  relabel();
}

std::string CLumen2Dlg::startPagePath() const {
  return folders_.programFolder + toProgramRelativePath(uiTexts().startPage);
}

std::string CLumen2Dlg::helpFilePath() const {
  // The manuals ship as HTML pages beside the names the help table gives them.
  std::string name = uiTexts().helpFile;
  if (auto dot = name.rfind(".chm"); dot != std::string::npos && dot + 4 == name.size()) {
    name.replace(dot, 4, ".html");
  }
  return folders_.programFolder + "Documents/Manuals/" + name;
}

void CLumen2Dlg::openHelp() { ports_.shell.openDocument(helpFilePath()); }

void CLumen2Dlg::onClose() {
  if (closing_) return;
  closing_ = true;
  settings_.save(settingsPath());
  ports_.view.endDialog();
}

void CLumen2Dlg::onDestroy() {
  if (updaterRequested_) return;
  ports_.sounds.play(folders_.programFolder + "UISounds/OrbisVeloraClosed.wav", true);
}

unsigned CLumen2Dlg::onFocusQuery() const {
  const int focused = ports_.view.focusedControl();
  if (focused < 0) return kFocusAnswerTag;
  return kFocusAnswerTag | (static_cast<unsigned>(focused) & 0xFFFFu);
}

void CLumen2Dlg::onFocusTextView() { ports_.view.focusControl(ctl::kTextView); }

}  // namespace orbis

namespace orbis {

bool CLumen2Dlg::onKeyDown(int virtualKey, bool ctrl, bool alt, bool shift) {
  if (auto command = accelerators_.commandFor(virtualKey, ctrl, alt, shift)) {
    onCommand(*command);
    return true;
  }
  const int focused = ports_.view.focusedControl();
  switch (virtualKey) {
    case kVkSpace:
      // The views that would swallow Space pause or continue instead.
      if (focused == ctl::kTextView || focused == ctl::kPlayer || focused == ctl::kCurrentText) {
        onCommand(cmd::kPauseContinue);
        return true;
      }
      return false;
    case kVkEscape:
      return true;  // never closes the main window
    case kVkF1:
      openHelp();
      return true;
    case kVkTab:
      if (focused < 0) return false;
      tabFocus();
      return true;
    case kVkF6:
      structureViewKey();
      return true;
    default:
      return false;
  }
}

// Tab walks text view, current text line, tool buttons, tree and back to the text view,
// passing over whatever is hidden. Shift is not looked at: both directions move alike.
void CLumen2Dlg::tabFocus() {
  const int focused = ports_.view.focusedControl();
  const bool currentText = !settings_.HideCurrentText;
  const bool buttons = !settings_.HideButtons;
  const bool tree = settings_.TreeVisible;
  int target = focused;
  if (focused == ctl::kTextView) {
    target = currentText ? ctl::kCurrentText
             : buttons   ? ctl::kButtonOpen
             : tree      ? ctl::kTree
                         : focused;
  } else if (focused == ctl::kCurrentText) {
    target = buttons ? ctl::kButtonOpen : tree ? ctl::kTree : ctl::kTextView;
  } else {
    target = (focused != ctl::kTree && tree) ? ctl::kTree : ctl::kTextView;
  }
  if (target != focused) ports_.view.focusControl(target);
}

// F6 jumps into the headings tree with the structure sound and the level of the selected
// heading, and from the tree back to where the reader came from.
void CLumen2Dlg::structureViewKey() {
  const int focused = ports_.view.focusedControl();
  if (settings_.TreeVisible && focused == ctl::kTree) {
    ports_.view.focusControl(focusBeforeTree_ > 0 ? focusBeforeTree_ : ctl::kTextView);
    return;
  }
  if (tree_.empty()) return;
  const std::string sounds = folders_.programFolder + "UISounds/";
  ports_.sounds.play(sounds + "StructureView.wav", true);
  if (settings_.SoundOnHeadingChange) {
    ports_.sounds.play(sounds + "Level" + std::to_string(tree_.depth(tree_.selected())) + ".wav",
                       true);
  }
  if (settings_.TreeVisible) {
    focusBeforeTree_ = focused;
    ports_.view.focusControl(ctl::kTree);
  } else if (openStructurePanel) {
    focusBeforeTree_ = focused;
    openStructurePanel();
  }
}

}  // namespace orbis
