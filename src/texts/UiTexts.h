#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace orbis {

// Every named text of the interface, listed once. The list both declares the members of UiTexts
// and drives forEachText, so a text added here can never be missed by code that walks the table.
// Grouped by where the text is shown.
#define ORBIS_UI_TEXT_FIELDS(X)                       \
  /* main window labels and application-wide texts */ \
  X(labelTextView)                                    \
  X(labelCurrentText)                                 \
  X(labelHeadings)                                    \
  X(driveEject)                                       \
  X(driveInsert)                                      \
  X(alreadyRunning)                                   \
  X(aboutMenuItem)                                    \
  X(helpFile)                                         \
  X(startPage)                                        \
  X(infoCaption)                                      \
  /* loading a book */                                \
  X(openingBook)                                      \
  X(nccOpenFailed)                                    \
  X(nccReadErrorCaption)                              \
  X(packageOpenFailed)                                \
  X(packageReadErrorCaption)                          \
  X(epubEncrypted)                                    \
  X(epubUnpackFailed)                                 \
  X(bookFileFilter)                                   \
  X(openBookTitle)                                    \
  X(of)                                               \
  X(entriesRead)                                      \
  X(browseForBook)                                    \
  X(audioMissing)                                     \
  X(speechMissing)                                    \
  /* finding books on drives */                       \
  X(createListQuestion)                               \
  X(searchingForDaisy)                                \
  X(withoutTitle)                                     \
  X(oneBookFound)                                     \
  X(driveColumn)                                      \
  X(driveNameColumn)                                  \
  X(selectDrive)                                      \
  X(searchRunning)                                    \
  X(withoutTitleShort)                                \
  X(booksFound)                                       \
  /* go to page */                                    \
  X(gotoPageCaption)                                  \
  X(gotoPagePrompt)                                   \
  X(pageNotFound)                                     \
  X(pageNotFoundCaption)                              \
  /* search */                                        \
  X(searchCaption)                                    \
  X(searchPrompt)                                     \
  X(searchHits)                                       \
  /* changing the volume of a book */                 \
  X(titleNotInBook)                                   \
  X(changeVolumeCaption)                              \
  /* book and title information */                    \
  X(totalTime)                                        \
  X(elapsedTime)                                      \
  X(remainingTime)                                    \
  X(oneHour)                                          \
  X(hours)                                            \
  X(oneMinute)                                        \
  X(minutes)                                          \
  X(oneSecond)                                        \
  X(seconds)                                          \
  X(andWord)                                          \
  X(oneEntryInBook)                                   \
  X(entriesInBook)                                    \
  X(oneLevelBook)                                     \
  X(levelsFirstPart)                                  \
  X(levelsSecondPart)                                 \
  X(atHeading)                                        \
  X(ofTotal)                                          \
  X(onLevel)                                          \
  X(infoRowEntries)                                   \
  X(infoRowLevels)                                    \
  X(infoRowHeading)                                   \
  X(infoRowLevel)                                     \
  X(infoRowBookTitle)                                 \
  X(infoRowCreator)                                   \
  X(infoRowDate)                                      \
  X(infoRowLanguage)                                  \
  X(infoRowPublisher)                                 \
  X(infoRowNarrator)                                  \
  X(infoColumnInformation)                            \
  X(infoColumnValue)                                  \
  /* settings dialog */                               \
  X(searchBookOnStartOption)                          \
  X(soundOnHeadingChangeOption)                       \
  X(hideButtonsOption)                                \
  X(hideCurrentTextOption)                            \
  X(soundOnSubLevelsOption)                           \
  X(startFocusGroup)                                  \
  X(startFocusHeadingsTree)                           \
  X(startFocusButtons)                                \
  X(alwaysShowTreeOption)                             \
  X(startFocusMissing)                                \
  X(checkUpdatesOnStartOption)                        \
  /* key assignment dialog, shared OK and Cancel */   \
  X(keyFunctionLabel)                                 \
  X(keyHotkeyLabel)                                   \
  X(keySave)                                          \
  X(ok)                                               \
  X(cancel)                                           \
  X(restoreDefaultKeys)                               \
  X(saveKeyProfile)                                   \
  X(loadKeyProfile)                                   \
  X(keyAlreadyUsed)                                   \
  X(keyProfileFilter)                                 \
  X(keyProfileCopyFailed)                             \
  X(keyFileWriteFailed)                               \
  /* ZIP books */                                     \
  X(zipOutputFolderTitle)                             \
  X(zipUseTempFolder)                                 \
  X(zipDefineTempFolderFirst)                         \
  X(zipTempFolderLabel)                               \
  X(zipUnpacking)                                     \
  /* update check */                                  \
  X(noUpdatesAvailable)                               \
  X(updateAvailable)                                  \
  X(updateServerUnreachable)                          \
  X(updaterMissing)                                   \
  X(updatesByPackageManager)                          \
  /* structure panel */                               \
  X(panelBookmarks)                                   \
  X(panelGroups)                                      \
  X(panelSearches)                                    \
  /* sleep timer */                                   \
  X(sleepTimerOff)                                    \
  X(sleepTimeLeft)                                    \
  X(sleepUntilHeadingEnd)                             \
  /* context menu of the current text line */         \
  X(copy)                                             \
  X(selectAll)

// The one table of interface texts. It always holds one complete language; the fill routines
// assign every entry, so switching languages never leaves a text of the other language behind.
struct UiTexts {
  // Top-level menu captions by position in the menu bar (0 "&DAISY" ... 7 help).
  std::array<std::string, 8> menuBar;
  // Menu item captions by command id, without key hints.
  std::map<int, std::string> menuItems;
  // Submenu captions, keyed by the German caption the menu is built with ("Gesch&windigkeit").
  std::map<std::string, std::string> submenus;
  // Button captions (accessible name and tooltip) by control id.
  std::map<int, std::string> buttons;
  // The commands that no menu shows, by command id, as the key assignment dialog lists them:
  // their place in the information menus that are never attached ("Buch-Information ->
  // Spieldauer -> Gesamt").
  std::map<int, std::string> menulessCommands;

#define ORBIS_DECLARE_UI_TEXT(name) std::string name;
  ORBIS_UI_TEXT_FIELDS(ORBIS_DECLARE_UI_TEXT)
#undef ORBIS_DECLARE_UI_TEXT

  bool operator==(const UiTexts&) const = default;
};

inline constexpr int kLanguageGerman = 0;
inline constexpr int kLanguageEnglish = 1;

void fillGermanTexts(UiTexts& texts);
void fillEnglishTexts(UiTexts& texts);
// 0 German, 1 English; any other index leaves the table as it is, so an unknown stored language
// keeps the texts already shown.
void fillTexts(UiTexts& texts, int languageIndex);

// Calls visit(name, value) for every text of the table: the menu bar ("menuBar[3]"), the menu
// items ("menuItems[32774]"), the submenus ("submenus[Sp&ulen]"), the buttons ("buttons[1045]")
// and every named text ("openingBook").
void forEachText(const UiTexts& texts,
                 const std::function<void(std::string_view name, const std::string& value)>& visit);

// Table entries name shipped files the Windows way ("\documents\html\start_de.html"); this gives
// the path relative to the program folder with "/" separators ("documents/html/start_de.html").
std::string toProgramRelativePath(const std::string& tableEntry);

// The process-wide current table, filled German on first use, and the current language index.
UiTexts& uiTexts();
int& languageIndex();

}  // namespace orbis
