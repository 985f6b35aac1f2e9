#include "library/BookMenus.h"

#include <initializer_list>

#include "commands/CommandIds.h"

namespace orbis {

namespace {

void setPopup(MenuModel& menu, const char* resourceCaption, bool enabled) {
  if (MenuItem* popup = menu.findPopup(resourceCaption)) popup->enabled = enabled;
}

void setItems(MenuModel& menu, std::initializer_list<int> ids, bool enabled) {
  for (int id : ids) menu.setEnabled(id, enabled);
}

// The submenu and every item in it.
void setSubmenu(MenuModel& menu, const char* resourceCaption, bool enabled) {
  MenuItem* popup = menu.findPopup(resourceCaption);
  if (!popup) return;
  popup->enabled = enabled;
  for (MenuItem& item : popup->children) {
    if (!item.separator) item.enabled = enabled;
  }
}

}  // namespace

void grayBookMenus(MenuModel& menu) {
  using namespace cmd;
  for (const char* top : {"&Navigation", "&Audio", "&Text", "&Lesezeichen", "&Suche"}) {
    setPopup(menu, top, false);
  }
  setItems(menu, {kChangeVolume, kBookInformation, kTitleInformation}, false);
  for (const char* sub :
       {"&Phrase", "&Gruppe", "&Seite", "&Lautstärke", "Gesch&windigkeit", "Sp&ulen", "Hervorheben",
        "Sp&ringen", "&Einschlaftimer", "Schrift&größe"}) {
    setSubmenu(menu, sub, false);
  }
  // Of the skip menu, the producer-note item keeps its state: the menu is grayed anyway.
  setPopup(menu, "Überspringen", false);
  setItems(menu, {kSkipFootnotes, kSkipSidebars, kSkipPageNumbers}, false);
  setItems(menu, {kSwitchToTree, kPauseContinue, kAutoPlay, kReadAloud, kSwitchToText}, false);
  setItems(menu, {kBookmarkSet, kBookmarkDelete, kBookmarkNext, kBookmarkPrevious}, false);
  setItems(menu, {kSearchHeadings, kSearchText, kSearchBook, kSearchNext, kSearchPrevious}, false);
}

void enableBookMenus(MenuModel& menu, const BookMenuFacts& facts) {
  using namespace cmd;
  const BookFeatures& f = facts.features;
  for (const char* top : {"&Navigation", "&Text", "&Lesezeichen", "&Suche"}) {
    setPopup(menu, top, true);
  }
  // Another volume can be chosen whenever a book is open; grayed, its key would do nothing.
  setItems(menu,
           {kChangeVolume, kBookInformation, kTitleInformation, kSwitchToTree, kSwitchToText,
            kBookmarkSet},
           true);
  setSubmenu(menu, "&Phrase", true);
  setSubmenu(menu, "Hervorheben", true);
  setSubmenu(menu, "Schrift&größe", true);

  // A book read by speech alone is paused, sped up and made louder as one with audio.
  if (f.audio || facts.textWithoutAudio) {
    setPopup(menu, "&Audio", true);
    for (const char* sub :
         {"&Lautstärke", "Gesch&windigkeit", "Sp&ulen", "Sp&ringen", "&Einschlaftimer"}) {
      setSubmenu(menu, sub, true);
    }
    setItems(menu, {kPauseContinue, kAutoPlay, kReadAloud}, true);
  }
  if (f.groups) {
    setPopup(menu, "&Gruppe", true);
    menu.setEnabled(kGroupNext, true);
  }
  if (f.pages) {
    setPopup(menu, "&Seite", true);
    setItems(menu, {kPageNext, kPageGoto}, true);
  }
  if (f.footnotes || f.sidebars || f.prodnotes || f.pageNumbers) {
    setPopup(menu, "Überspringen", true);
    menu.setEnabled(kSkipFootnotes, f.footnotes);
    menu.setEnabled(kSkipSidebars, f.sidebars);
    menu.setEnabled(kSkipProdNotes, f.prodnotes);
    menu.setEnabled(kSkipPageNumbers, f.pageNumbers);
  }
  if (facts.hasBookmarks) menu.setEnabled(kBookmarkNext, true);
  if (facts.headingCount > 1) menu.setEnabled(kSearchHeadings, true);
  if (f.separateText) menu.setEnabled(kSearchBook, true);
}

}  // namespace orbis
