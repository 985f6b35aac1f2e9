#include "texts/UiTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "commands/MainMenu.h"

namespace orbis {
namespace {

std::map<std::string, std::string> allTexts(const UiTexts& texts) {
  std::map<std::string, std::string> all;
  forEachText(texts, [&](std::string_view name, const std::string& value) {
    all.emplace(std::string(name), value);
  });
  return all;
}

UiTexts filled(int language) {
  UiTexts texts;
  fillTexts(texts, language);
  return texts;
}

template <typename Map>
std::set<typename Map::key_type> keysOf(const Map& map) {
  std::set<typename Map::key_type> keys;
  for (const auto& entry : map) keys.insert(entry.first);
  return keys;
}

TEST(UiTextsTest, BothLanguagesFillTheSameCompleteSetOfEntries) {
  const auto german = allTexts(filled(kLanguageGerman));
  const auto english = allTexts(filled(kLanguageEnglish));
  EXPECT_EQ(keysOf(german), keysOf(english));
  for (const auto* language : {&german, &english}) {
    for (const auto& [name, value] : *language) EXPECT_FALSE(value.empty()) << name;
  }

  // Every command id the menus re-label, and every button of the main window.
  const std::set<int> menuIds = {
      32774, 33012, 33050, 32780, 33009, 33053, 33054, 32953, 32954, 32772, 32965, 32778,
      32779, 32991, 32979, 32984, 32982, 32983, 32785, 32786, 32787, 33011, 32808, 32840,
      32793, 32800, 32795, 32797, 32801, 32799, 32805, 32807, 32966, 33036, 32844, 32847,
      32846, 32848, 32851, 32859, 32860, 32854, 33034, 32861, 32862, 32881, 32863, 32858,
      33035, 33032, 33033, 32867, 32866, 33056, 33101, 33102, 33103, 33104, 33110, 33111,
      33112, 33113, 33114, 33115, 33116, 33120, 33121, 33122, 33071};
  const std::set<int> buttonIds = {32774, 1045, 1047,  1048, 1049, 1050, 1052, 1053, 1054, 1051,
                                   1055,  1058, 32775, 1056, 1057, 1059, 1060, 1061, 1062};
  const std::set<std::string> submenuCaptions = {
      "Sprache",      "&Phrase",     "&Gruppe",          "&Seite",
      "Überspringen", "&Lautstärke", "Gesch&windigkeit", "Sp&ulen",
      "Hervorheben",  "Sp&ringen",   "&Einschlaftimer",  "Schrift&größe"};
  for (int language : {kLanguageGerman, kLanguageEnglish}) {
    const UiTexts texts = filled(language);
    EXPECT_EQ(keysOf(texts.menuItems), menuIds) << language;
    EXPECT_EQ(keysOf(texts.buttons), buttonIds) << language;
    EXPECT_EQ(keysOf(texts.submenus), submenuCaptions) << language;
    // The key dialog lists the commands whose keys work without a menu item.
    EXPECT_EQ(keysOf(texts.menulessCommands),
              std::set<int>(hiddenMenuCommands().begin(), hiddenMenuCommands().end()));
  }
}

TEST(UiTextsTest, SwitchingLanguageLeavesNoTextOfTheOtherLanguage) {
  UiTexts texts;
  fillTexts(texts, kLanguageGerman);
  fillTexts(texts, kLanguageEnglish);
  EXPECT_EQ(texts, filled(kLanguageEnglish));
  fillTexts(texts, kLanguageGerman);
  EXPECT_EQ(texts, filled(kLanguageGerman));
  EXPECT_NE(filled(kLanguageGerman), filled(kLanguageEnglish));
}

TEST(UiTextsTest, UnknownLanguageIndexLeavesTheTableAsItIs) {
  for (int index : {-1, 2, 200}) {
    UiTexts texts = filled(kLanguageEnglish);
    fillTexts(texts, index);
    EXPECT_EQ(texts, filled(kLanguageEnglish)) << index;
  }
  UiTexts empty;
  fillTexts(empty, 5);
  EXPECT_EQ(empty, UiTexts{});
}

TEST(UiTextsTest, TextsAreKeptVerbatim) {
  const UiTexts de = filled(kLanguageGerman);
  const UiTexts en = filled(kLanguageEnglish);

  // Odd blanks are part of the texts: sentences are built by plain concatenation.
  EXPECT_EQ(de.buttons.at(32774), "Daisy- Buch öffnen");
  EXPECT_EQ(en.totalTime, "Total time ");
  EXPECT_EQ(en.elapsedTime, "Elapsed time ");
  EXPECT_EQ(en.remainingTime, "Remaining time ");
  EXPECT_EQ(de.totalTime, "Gesamtspieldauer");
  EXPECT_EQ(de.menuItems.at(33036), "Braille- Text fokussieren...");

  // Umlauts are UTF-8: "ö" is the two bytes C3 B6.
  EXPECT_EQ(de.menuItems.at(32774),
            "&\xC3\x96"
            "ffnen");
  EXPECT_EQ(de.submenus.at("Gesch&windigkeit"), "Gesch&windigkeit");
  EXPECT_EQ(en.submenus.at("&Lautstärke"), "Vo&lume");
  EXPECT_EQ(en.submenus.at("&Seite"), "Page");
  EXPECT_EQ(de.menuBar[7], "Hilfe");
  EXPECT_EQ(en.menuBar[4], "&Bookmark");

  // The volume question is shown in a message box with real line breaks.
  EXPECT_EQ(en.titleNotInBook,
            "The selected title is not a part of the book.\n\nPress Cancel to return to the book "
            "or\nRetry to select another title or\nIgnore to open the title as a part of the "
            "book.");
  EXPECT_EQ(de.titleNotInBook.find('\\'), std::string::npos);
  EXPECT_EQ(std::count(de.titleNotInBook.begin(), de.titleNotInBook.end(), '\n'), 4);

  // The two "Ohne Titel" entries of the drive search differ in English.
  EXPECT_EQ(de.withoutTitle, de.withoutTitleShort);
  EXPECT_EQ(en.withoutTitle, "Without title");
  EXPECT_EQ(en.withoutTitleShort, "w/o title");

  EXPECT_EQ(de.searchHits, "%i Treffer.");
  EXPECT_EQ(en.searchHits, "The search result is");
  EXPECT_EQ(de.keyProfileFilter, "Profil- Dateien (*.kbd)|*.kbd||");
  EXPECT_EQ(de.helpFile, "ORVEL-DE.chm");
  EXPECT_EQ(en.startPage, "\\documents\\html\\start_en.html");
}

TEST(UiTextsTest, TableEntriesBecomeProgramRelativePaths) {
  EXPECT_EQ(toProgramRelativePath(filled(kLanguageGerman).startPage),
            "documents/html/start_de.html");
  EXPECT_EQ(toProgramRelativePath(filled(kLanguageEnglish).startPage),
            "documents/html/start_en.html");
  EXPECT_EQ(toProgramRelativePath("Documents\\Manuals\\ORVEL-EN.chm"),
            "Documents/Manuals/ORVEL-EN.chm");
  EXPECT_EQ(toProgramRelativePath("ORVEL-DE.chm"), "ORVEL-DE.chm");
  EXPECT_EQ(toProgramRelativePath("\\\\"), "");
  EXPECT_EQ(toProgramRelativePath(""), "");
}

TEST(UiTextsTest, CurrentTableStartsGerman) {
  EXPECT_EQ(uiTexts(), filled(kLanguageGerman));
  EXPECT_EQ(languageIndex(), kLanguageGerman);
}

}  // namespace
}  // namespace orbis
