#include "app/CLumen2Dlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/CommandIds.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

using testing::TempDir;

constexpr int kVkTab = 9, kVkEnter = 13, kVkEscape = 27, kVkF1 = 112, kVkF6 = 117;

class MainDialogTest : public ::testing::Test, public testing::MainDialogRig {
 protected:
  std::vector<std::string>& pages = textView.navigations;
};

TEST_F(MainDialogTest, StartShowsTheGermanWindowWithKeysAndTheStartPage) {
  auto& dlg = start();
  ASSERT_FALSE(sounds.played.empty());
  EXPECT_EQ(sounds.names().front(), "OrbisVeloraStarted.wav");
  EXPECT_FALSE(sounds.played.front().wait);
  EXPECT_TRUE(std::filesystem::exists(data.path() / "Active.kbd"));
  EXPECT_EQ(dlg.menu().text(cmd::kOpen), "&Öffnen\tCtrl+O");
  EXPECT_EQ(dlg.menu().text(cmd::kPhraseBackward), "rückwärts\tShift+P");
  EXPECT_EQ(dlg.menu().text(cmd::kPauseContinue), "Pause/Fortsetzen\tSPACE");
  EXPECT_EQ(dlg.menu().text(cmd::kBookmarkList), "Liste...");  // no key, no hint
  EXPECT_EQ(view.texts[ctl::kLabelTextView], "&Textansicht");
  EXPECT_EQ(view.texts[ctl::kButtonOpen], "Daisy- Buch öffnen");
  ASSERT_FALSE(pages.empty());
  EXPECT_EQ(pages.back(), folders.programFolder + "documents/html/start_de.html");
  EXPECT_EQ(view.focused, ctl::kTextView);
  EXPECT_TRUE(dlg.menu().find(cmd::kGerman)->radioChecked);
  EXPECT_FALSE(dlg.menu().isEnabled(cmd::kGerman));
  EXPECT_TRUE(dlg.menu().isEnabled(cmd::kEnglish));
  EXPECT_GT(view.layoutCount, 0);
}

TEST_F(MainDialogTest, LanguageCommandRelabelsEverythingAtOnce) {
  auto& dlg = start();
  ASSERT_TRUE(dlg.onCommand(cmd::kEnglish));
  EXPECT_EQ(dlg.menu().bar()[4].text, "&Bookmark");
  EXPECT_EQ(dlg.menu().bar()[7].text, "Help");
  EXPECT_EQ(dlg.menu().text(cmd::kOpen), "&Open\tCtrl+O");
  EXPECT_EQ(dlg.menu().findPopup("Gesch&windigkeit")->text, "Speed");
  EXPECT_EQ(view.texts[ctl::kButtonLevels], "Show headings");
  EXPECT_EQ(view.texts[ctl::kLabelCurrentText], "Current te&xt");
  EXPECT_EQ(pages.back(), folders.programFolder + "documents/html/start_en.html");
  EXPECT_FALSE(dlg.menu().isEnabled(cmd::kEnglish));
  EXPECT_TRUE(dlg.menu().isEnabled(cmd::kGerman));
  EXPECT_TRUE(dlg.menu().find(cmd::kEnglish)->radioChecked);
  EXPECT_FALSE(dlg.menu().find(cmd::kGerman)->radioChecked);
  EXPECT_EQ(dlg.settings().Language, kLanguageEnglish);

  dlg.onCommand(cmd::kGerman);
  EXPECT_EQ(dlg.menu().text(cmd::kOpen), "&Öffnen\tCtrl+O");  // one hint, not two
  EXPECT_EQ(view.texts[ctl::kButtonLevels], "Ebenen anzeigen");
}

TEST_F(MainDialogTest, StoredLanguage200StartsInEnglish) {
  Settings stored = Settings::defaults(folders.dataFolder);
  stored.Language = 200;
  ASSERT_TRUE(stored.save(folders.dataFolder + "Settings.dl"));
  auto& dlg = start();
  EXPECT_EQ(dlg.menu().text(cmd::kExit), "Exit\tAlt+F4");
  EXPECT_EQ(uiTexts().alreadyRunning, "Lumen already running.");
  EXPECT_EQ(pages.back(), folders.programFolder + "documents/html/start_en.html");
}

TEST_F(MainDialogTest, EscapeIsSwallowedAndEnterNeverCloses) {
  auto& dlg = start();
  view.focused = ctl::kTextView;
  EXPECT_TRUE(dlg.onKeyDown(kVkEscape, false, false, false));
  EXPECT_FALSE(dlg.onKeyDown(kVkEnter, false, false, false));
  EXPECT_FALSE(view.ended);
  EXPECT_FALSE(dlg.closing());
}

TEST_F(MainDialogTest, TabWalksTheVisibleAreas) {
  auto& dlg = start();
  view.focused = ctl::kTextView;
  dlg.onKeyDown(kVkTab, false, false, false);
  EXPECT_EQ(view.focused, ctl::kCurrentText);
  dlg.onKeyDown(kVkTab, false, false, true);  // Shift+Tab moves the same way
  EXPECT_EQ(view.focused, ctl::kButtonOpen);
  view.focused = ctl::kButtonMute;  // from any button on to the tree
  dlg.onKeyDown(kVkTab, false, false, false);
  EXPECT_EQ(view.focused, ctl::kTree);
  dlg.onKeyDown(kVkTab, false, false, false);
  EXPECT_EQ(view.focused, ctl::kTextView);

  dlg.settings().HideCurrentText = true;
  dlg.onKeyDown(kVkTab, false, false, false);
  EXPECT_EQ(view.focused, ctl::kButtonOpen);

  dlg.settings().HideButtons = true;
  dlg.settings().TreeVisible = false;
  view.focused = ctl::kTextView;
  EXPECT_TRUE(dlg.onKeyDown(kVkTab, false, false, false));
  EXPECT_EQ(view.focused, ctl::kTextView);  // nothing else to go to
}

TEST_F(MainDialogTest, F6JumpsIntoTheTreeWithItsSoundsAndBack) {
  auto& dlg = start();
  sounds.played.clear();
  view.focused = ctl::kCurrentText;
  dlg.onKeyDown(kVkF6, false, false, false);
  EXPECT_TRUE(sounds.played.empty());  // an empty tree: nothing at all
  EXPECT_EQ(view.focused, ctl::kCurrentText);

  TreeNode top = dlg.tree().insert(kNoNode, "Kapitel", 0);
  TreeNode child = dlg.tree().insert(top, "Abschnitt", 1);
  dlg.tree().select(child);
  dlg.onKeyDown(kVkF6, false, false, false);
  EXPECT_EQ(sounds.names(), (std::vector<std::string>{"StructureView.wav", "Level2.wav"}));
  EXPECT_TRUE(sounds.played[0].wait && sounds.played[1].wait);
  EXPECT_EQ(view.focused, ctl::kTree);
  dlg.onKeyDown(kVkF6, false, false, false);
  EXPECT_EQ(view.focused, ctl::kCurrentText);
}

TEST_F(MainDialogTest, ExitSavesTheSettingsAndDestructionPlaysTheClosingSound) {
  auto& dlg = start();
  dlg.onCommand(cmd::kEnglish);
  dlg.onCommand(cmd::kExit);
  EXPECT_TRUE(view.ended);
  Settings saved;
  saved.load(folders.dataFolder + "Settings.dl", folders.dataFolder);
  EXPECT_EQ(saved.Language, kLanguageEnglish);
  sounds.played.clear();
  dlg.onDestroy();
  ASSERT_EQ(sounds.names(), std::vector<std::string>{"OrbisVeloraClosed.wav"});
  EXPECT_TRUE(sounds.played[0].wait);
}

// What the player keeps of the reader (positions, bookmarks, settings, the last book, keys) is
// readable by the reader alone, also where an older file was open to others.
TEST_F(MainDialogTest, EveryFileOfTheReaderIsWrittenForTheReaderAlone) {
  namespace fs = std::filesystem;
  const auto mode = [](const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::all;
  };
  const fs::perms readerOnly = fs::perms::owner_read | fs::perms::owner_write;
  auto& dlg = startWithBook();
  clock.advance(1500);
  dlg.onCommand(cmd::kBookmarkSet);
  dlg.onCommand(cmd::kExit);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folders.dataFolder)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    EXPECT_EQ(mode(entry.path()), readerOnly) << entry.path();
  }
  EXPECT_GE(files, 5);

  const fs::path settings = folders.dataFolder + "Settings.dl";
  fs::permissions(settings, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  start().onCommand(cmd::kExit);
  EXPECT_EQ(mode(settings), readerOnly);
}

TEST_F(MainDialogTest, FocusQueryAndHelp) {
  auto& dlg = start();
  view.focused = ctl::kCurrentText;
  EXPECT_EQ(dlg.onFocusQuery(), 0x534B0000u | 1046u);
  view.focused = -1;
  EXPECT_EQ(dlg.onFocusQuery(), 0x534B0000u);
  dlg.onFocusTextView();
  EXPECT_EQ(view.focused, ctl::kTextView);

  EXPECT_TRUE(dlg.onKeyDown(kVkF1, false, false, false));
  dlg.onCommand(cmd::kEnglish);
  dlg.onCommand(cmd::kHelp);
  ASSERT_EQ(shell.documents.size(), 2u);
  EXPECT_EQ(shell.documents[0], folders.programFolder + "Documents/Manuals/ORVEL-DE.html");
  EXPECT_EQ(shell.documents[1], folders.programFolder + "Documents/Manuals/ORVEL-EN.html");
  EXPECT_TRUE(std::filesystem::exists(shell.documents[1]));
}

TEST_F(MainDialogTest, DriveItemsStandBeforeExitAndFollowTheLanguage) {
  drives.optical = {{"/dev/sr0", "/media/cdrom0", 0}, {"/dev/sr1", "/dev/sr1", 1}};
  auto& dlg = start();
  const auto& daisy = dlg.menu().bar()[0].children;
  ASSERT_GE(daisy.size(), 4u);
  EXPECT_EQ(daisy[daisy.size() - 1].id, cmd::kExit);
  EXPECT_TRUE(daisy[daisy.size() - 2].separator);
  EXPECT_EQ(daisy[daisy.size() - 3].id, 1125);
  EXPECT_EQ(daisy[daisy.size() - 4].id, 1124);
  EXPECT_EQ(dlg.menu().text(1124), "/media/cdrom0 herausfahren");
  dlg.onCommand(cmd::kEnglish);
  EXPECT_EQ(dlg.menu().text(1125), "/dev/sr1 eject");

  // Each use of an item moves the tray the other way and says what the next use will do.
  dlg.onCommand(1125);
  EXPECT_EQ(dlg.menu().text(1125), "/dev/sr1 insert");
  dlg.onCommand(1125);
  EXPECT_EQ(dlg.menu().text(1125), "/dev/sr1 eject");
  const std::vector<std::pair<std::string, bool>> moves = {{"/dev/sr1", true}, {"/dev/sr1", false}};
  EXPECT_EQ(drives.moves, moves);
  // A language switch reads "eject" again, whatever the tray did.
  dlg.onCommand(1124);
  dlg.onCommand(cmd::kGerman);
  EXPECT_EQ(dlg.menu().text(1124), "/media/cdrom0 herausfahren");
}

// The items follow the drives while the player runs; what a use does comes from the item's
// state, whatever words the drive's mount point holds.
TEST_F(MainDialogTest, DriveItemsFollowTheDrivesAndMoveTheTrayByTheirState) {
  auto& dlg = start();
  auto daisyEnd = [&] {
    std::vector<std::string> texts;
    for (const MenuItem& item : dlg.menu().bar()[0].children) {
      texts.push_back(item.separator ? "-" : item.text);
    }
    return std::vector<std::string>(texts.end() - std::min<size_t>(texts.size(), 4), texts.end());
  };
  const std::vector<std::string> without = daisyEnd();

  drives.optical = {{"/dev/sr0", "/dev/sr0", 0}};
  dlg.onDrivesChanged();
  EXPECT_EQ(dlg.menu().text(1124), "/dev/sr0 herausfahren");
  dlg.onCommand(1124);  // the tray opens
  drives.optical = {{"/dev/sr0", "/dev/sr0", 0}, {"/dev/sr1", "/media/leser/herausfahren", 1}};
  dlg.onDrivesChanged();
  // The first drive keeps its state; the second reads the root of its disc.
  EXPECT_EQ(dlg.menu().text(1124), "/dev/sr0 hineinfahren");
  EXPECT_EQ(dlg.menu().text(1125), "/media/leser/herausfahren herausfahren");
  dlg.onCommand(1125);
  dlg.onCommand(1125);
  dlg.onCommand(1124);
  const std::vector<std::pair<std::string, bool>> moves = {
      {"/dev/sr0", true}, {"/dev/sr1", true}, {"/dev/sr1", false}, {"/dev/sr0", false}};
  EXPECT_EQ(drives.moves, moves);

  // A disc mounted in an open drive closed its tray.
  dlg.onCommand(1124);
  drives.optical[0].root = "/media/leser/DISC";
  dlg.onDrivesChanged();
  EXPECT_EQ(dlg.menu().text(1124), "/media/leser/DISC herausfahren");

  // Both drives gone: their items, their separator and their commands go too.
  drives.optical.clear();
  dlg.onDrivesChanged();
  EXPECT_EQ(daisyEnd(), without);
  EXPECT_FALSE(dlg.onCommand(1124));
}

TEST_F(MainDialogTest, TheAboutBoxPausesReadingWhileItIsOpen) {
  auto& dlg = start();
  TempDir audio;
  const std::string file = audio.write("a.wav", "").string();
  player.setDuration(file, 10.0);
  player.setUrl(file);
  player.play();
  PlayState during = PlayState::Undefined;
  view.onAbout = [&] { during = player.playState(); };
  dlg.onCommand(cmd::kAbout);
  EXPECT_EQ(view.aboutBoxes, 1);
  EXPECT_EQ(during, PlayState::Paused);
  EXPECT_EQ(player.playState(), PlayState::Playing);  // automatic playback is on
}

TEST_F(MainDialogTest, BrailleFocusesTheCurrentTextLineOrTheTextView) {
  auto& dlg = startWithBook();
  dlg.onCommand(cmd::kBraille);
  EXPECT_EQ(view.focused, ctl::kCurrentText);
  dlg.settings().HideCurrentText = true;
  dlg.onCommand(cmd::kBraille);
  EXPECT_EQ(view.focused, ctl::kTextView);
}

TEST_F(MainDialogTest, SkipTogglesFlipFlagAndCheckMarkTogetherAndAreSaved) {
  auto& dlg = startWithBook();
  dlg.onCommand(cmd::kSkipSidebars);  // the book has no sidebars: grayed, nothing changes
  EXPECT_FALSE(dlg.session().state().skipSidebars);
  dlg.onCommand(cmd::kSkipFootnotes);
  dlg.onCommand(cmd::kSkipFootnotes);  // twice: as it was
  EXPECT_FALSE(dlg.session().state().skipFootnotes);
  EXPECT_FALSE(dlg.menu().isChecked(cmd::kSkipFootnotes));
  dlg.onCommand(cmd::kSkipFootnotes);
  EXPECT_TRUE(dlg.session().state().skipFootnotes);
  EXPECT_TRUE(dlg.menu().isChecked(cmd::kSkipFootnotes));
  dlg.onCommand(cmd::kExit);
  Settings saved;
  saved.load(folders.dataFolder + "Settings.dl", folders.dataFolder);
  EXPECT_TRUE(saved.SkipFootnotes);
  EXPECT_FALSE(saved.SkipSidebars);

  auto& again = start();
  EXPECT_TRUE(again.session().state().skipFootnotes);
  EXPECT_TRUE(again.menu().isChecked(cmd::kSkipFootnotes));
}

TEST_F(MainDialogTest, SwitchingBetweenHeadingsAndText) {
  auto& empty = start();
  empty.settings().TreeVisible = true;
  view.focused = ctl::kCurrentText;
  empty.onCommand(ctl::kButtonLevels);
  EXPECT_EQ(view.focused, ctl::kCurrentText);  // no headings: nothing happens
  auto& dlg = startWithBook();
  dlg.settings().TreeVisible = true;
  dlg.onCommand(cmd::kSwitchToTree);
  EXPECT_EQ(view.focused, ctl::kTree);
  dlg.onCommand(cmd::kSwitchToText);
  EXPECT_EQ(view.focused, ctl::kTextView);
  dlg.onCommand(ctl::kButtonLevels);
  EXPECT_EQ(view.focused, ctl::kTree);
}

TEST_F(MainDialogTest, KeysOfGrayedItemsDoNothing) {
  auto& dlg = start();  // no book: the audio menu is grayed
  const double rate = dlg.session().state().rate;
  EXPECT_TRUE(dlg.onKeyDown('W', false, false, false));  // faster
  EXPECT_TRUE(dlg.onKeyDown('A', false, true, false));   // automatic playback
  EXPECT_EQ(dlg.session().state().rate, rate);
  EXPECT_TRUE(dlg.session().state().autoPlayback);
  EXPECT_FALSE(dlg.menu().isReachable(cmd::kFaster));
  EXPECT_TRUE(dlg.menu().isReachable(cmd::kOpen));
  EXPECT_TRUE(dlg.menu().isReachable(cmd::kTitleLevel));  // held by no menu
}

TEST_F(MainDialogTest, HiddenCurrentTextGraysBraille) {
  auto& dlg = start();
  EXPECT_TRUE(dlg.menu().isEnabled(cmd::kBraille));
  dlg.settings().HideCurrentText = true;
  dlg.onSize();
  EXPECT_FALSE(dlg.menu().isEnabled(cmd::kBraille));
  EXPECT_FALSE(view.layout.visible[ctl::kCurrentText]);
}

}  // namespace
}  // namespace orbis
