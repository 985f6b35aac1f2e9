#include "support/MainDialogRig.h"

#include "texts/UiTexts.h"

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
  folders.cacheFolder = data.str() + "/cache/";
}

MainDialogRig::~MainDialogRig() {
  dialog.reset();
  resetTexts();
}

CLumen2Dlg& MainDialogRig::start() {
  dialog.reset();
  dialog = std::make_unique<CLumen2Dlg>(
      folders, MainPorts{view, dialogs, sounds, shell, drives, keyNames, player, speech, clock, textView,
                         panel, busyNote, http, processes, libraryDialogs});
  dialog->onInitDialog();
  return *dialog;
}

CLumen2Dlg& MainDialogRig::startWithBook() {
  BookBuilder builder(books.path() / "book");
  builder.heading(1, "Eins", 3);
  builder.page("i");
  builder.heading(1, "Zwei", 3);
  builder.page("ii");
  builder.group("A");
  builder.heading(2, "Zwei.1", 3);
  builder.page("iii");
  const int last = builder.heading(1, "Drei", 3);
  builder.headingAt(last).parAttributes = "system-required=\"footnote-on\"";
  builder.page("iv");
  builder.group("B");
  const std::string folder = builder.write();
  CLumen2Dlg& dlg = start();
  dlg.openBookAtStart(folder);
  return dlg;
}

}  // namespace orbis::testing
