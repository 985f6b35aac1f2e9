#include "app/CLumen2Dlg.h"

#include "app/CommandIds.h"
#include "app/MainMenu.h"
#include "app/Relabel.h"
#include "app/UiTexts.h"

namespace orbis {

namespace {
constexpr unsigned kFocusAnswerTag = 0x534B0000u;
constexpr int kMaxDriveItems = cmd::kLastDriveItem - cmd::kFirstDriveItem + 1;
}  // namespace

CLumen2Dlg::CLumen2Dlg(AppFolders folders, MainPorts ports)
    : folders_(std::move(folders)), ports_(ports), menu_(buildMainMenu()) {
  registerCommands();
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
  relabel();
  onSize();
  if (showPage) showPage(startPagePath());
  startPageShown_ = true;
  ports_.view.focusControl(ctl::kTextView);
}

void CLumen2Dlg::relabel() {
  relabelMenu(menu_, uiTexts(), languageIndex(), driveRoots_);
  relabelControls(ports_.view, uiTexts());
  ports_.view.redrawMenu();
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
  input.hideButtons = shell_.hideButtons;
  input.hideCurrentText = shell_.hideCurrentText;
  input.treeVisible = shell_.treeVisible;
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
  fillTexts(uiTexts(), index);
  if (!bookOpen_) {
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
