#include "support/MainDialogRig.h"

#include "app/UiTexts.h"

namespace orbis::testing {

namespace {
void resetTexts() {
  fillTexts(uiTexts(), kLanguageGerman);
  languageIndex() = kLanguageGerman;
}
}  // namespace

MainDialogRig::MainDialogRig() {
  resetTexts();
  folders.programFolder = std::string(ORBIS_SOURCE_DIR) + "/res/program/";
  folders.dataFolder = data.str() + "/";
}

MainDialogRig::~MainDialogRig() {
  dialog.reset();
  resetTexts();
}

CLumen2Dlg& MainDialogRig::start() {
  dialog.reset();
  dialog = std::make_unique<CLumen2Dlg>(
      folders, MainPorts{view, dialogs, sounds, shell, drives, keyNames, player, clock, textView});
  dialog->onInitDialog();
  return *dialog;
}

}  // namespace orbis::testing
