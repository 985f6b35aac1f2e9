#include "commands/MainMenu.h"

#include "commands/CommandIds.h"

namespace orbis {

namespace {
MenuItem item(int id, const char* text) {
  return MenuItem::command(id, text);
}
MenuItem popup(const char* text, std::vector<MenuItem> children) {
  return MenuItem::submenu(text, std::move(children));
}
MenuItem separator() {
  return MenuItem::makeSeparator();
}
}  // namespace

MenuModel buildMainMenu() {
  using namespace cmd;
  MenuModel menu;
  auto& bar = menu.bar();
  bar.push_back(popup(
      "&DAISY",
      {item(kOpen, "&Öffnen"), item(kOpenFromList, "V&on Liste"), item(kZip, "Zip"),
       item(kLastBook, "&Letztes"), item(kChangeVolume, "&Wechseln"), separator(),
       item(kBookInformation, "Buch-Information"), item(kTitleInformation, "Titel-Information"),
       separator(), popup("Sprache", {item(kGerman, "Deutsch"), item(kEnglish, "English")}),
       separator(), item(kExit, "Beenden")}));
  bar.push_back(popup(
      "&Navigation",
      {popup("&Phrase", {item(kPhraseForward, "vorwärts"), item(kPhraseBackward, "rückwärts")}),
       popup("&Gruppe", {item(kGroupNext, "nächste"), item(kGroupPrevious, "vorherige")}),
       popup("&Seite", {item(kPageNext, "nächste"), item(kPagePrevious, "vorherige"),
                        item(kPageGoto, "Gehe zu...")}),
       popup("Überspringen",
             {item(kSkipFootnotes, "Fußnoten"), item(kSkipSidebars, "Seitenrand"),
              item(kSkipProdNotes, "Information"), item(kSkipPageNumbers, "Seitenzahl")}),
       separator(), item(kSwitchToTree, "Wechseln zu...")}));
  bar.push_back(popup(
      "&Audio",
      {popup("&Lautstärke", {item(kVolumeUp, "lauter"), item(kVolumeNormal, "normal"),
                             item(kVolumeDown, "leiser")}),
       popup("Gesch&windigkeit", {item(kFaster, "schneller"), item(kSpeedNormal, "normal"),
                                  item(kSlower, "langsamer")}),
       popup("Sp&ulen", {item(kWindForward, "vorwärts"), item(kWindBackward, "rückwärts")}),
       popup("Sp&ringen",
             {item(kJumpBack10, "10 Sekunden zurück"), item(kJumpForward10, "10 Sekunden vor"),
              item(kJumpBack60, "1 Minute zurück"), item(kJumpForward60, "1 Minute vor")}),
       separator(), item(kPauseContinue, "Pause/Fortsetzen"), item(kAutoPlay, "&Autom. Wiedergabe"),
       item(kReadAloud, "Text ohne Audio vorlesen"),
       popup("&Einschlaftimer", {item(kSleepOff, "Aus"), item(kSleep15, "15 Minuten"),
                                 item(kSleep30, "30 Minuten"), item(kSleep45, "45 Minuten"),
                                 item(kSleep60, "60 Minuten"), item(kSleep90, "90 Minuten"),
                                 item(kSleepEndOfHeading, "Am Ende dieser Überschrift")})}));
  bar.push_back(popup(
      "&Text",
      {popup("Hervorheben", {item(kMarkBackground, "Hintergrund"), item(kMarkItalic, "Kursiv"),
                             item(kMarkBold, "Fett"), item(kMarkTextColor, "Schriftfarbe")}),
       item(kSwitchToText, "Wechseln zu..."), item(kBraille, "Braille"),
       popup("Schrift&größe",
             {item(kZoomIn, "Größer"), item(kZoomOut, "Kleiner"), item(kZoomReset, "Normal")})}));
  bar.push_back(
      popup("&Lesezeichen", {item(kBookmarkSet, "Setzen"), item(kBookmarkDelete, "Löschen"),
                             item(kBookmarkNext, "Nächstes"), item(kBookmarkPrevious, "Vorheriges"),
                             separator(), item(kBookmarkList, "Liste...")}));
  bar.push_back(popup(
      "&Suche", {item(kSearchHeadings, "in Überschriften"), item(kSearchText, "im Text"),
                 item(kSearchBook, "im Buch"), separator(), item(kSearchNext, "Nächstes"),
                 item(kSearchPrevious, "Vorheriges"), separator(), item(kSearchList, "Liste...")}));
  bar.push_back(popup("Einstellungen", {item(kGlobalSettings, "Globale Einstellungen"),
                                        item(kKeyAssignment, "Tastenbelegung")}));
  bar.push_back(
      popup("&?", {item(kHelp, "Hilfe"), item(kAbout, "Über..."), item(kUpdate, "Update")}));
  return menu;
}

const std::vector<int>& hiddenMenuCommands() {
  using namespace cmd;
  static const std::vector<int> ids = {kBookTimeTotal,  kBookTimeHeard,  kBookTimeRest,
                                       kBookEntries,    kBookLevels,     kTitleTimeTotal,
                                       kTitleTimeHeard, kTitleTimeRest,  kTitleIndex,
                                       kTitleLevel,     kSleepTimerMenu, kSleepTimeLeft};
  return ids;
}

}  // namespace orbis
