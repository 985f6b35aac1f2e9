// Playing books through on the manual clock: which rows are read in which order, and when the
// player is moved.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "commands/CommandIds.h"
#include "settings/LineFile.h"
#include "support/ReadingHarness.h"

namespace orbis::testing {
namespace {

// Heading 0 (with a sub-heading 1) in a.wav, heading 1 in b.wav, heading 2 in c.wav, whose
// first clip does not start at the beginning of the file.
TestBook threeHeadings() {
  TestBook book;
  book.headingLevels = {1, 2, 1};
  book.phrases = {{0, "a.wav", "0.000", "2.000"}, {0, "a.wav", "2.000", "4.000"},
                  {0, "a.wav", "4.000", "6.000"}, {1, "b.wav", "0.000", "2.000"},
                  {1, "b.wav", "2.000", "4.000"}, {2, "c.wav", "0.500", "1.500"},
                  {2, "c.wav", "1.500", "3.000"}};
  book.audioSeconds = {{"a.wav", 6.0}, {"b.wav", 4.0}, {"c.wav", 3.0}};
  book.metadata = {"Three", "id-3", "2020-01-01", "3", "0:00:13", "1 of 1"};
  book.features.audio = true;
  return book;
}

std::vector<double> seekTargets(const SimulatedPlayer& player, const std::string& url) {
  std::vector<double> targets;
  for (const auto& seek : player.seeks()) {
    if (seek.url == url) targets.push_back(seek.to);
  }
  return targets;
}

TEST(ReadingThrough, AutomaticPlaybackReadsEveryHeadingAndStartsAgainAfterTheLast) {
  ReadingHarness h;
  const std::string folder = h.addBook("three", threeHeadings());
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.book.open);

  ASSERT_TRUE(h.runUntil([&] { return h.startedRows.size() >= 8; }, 20000));
  EXPECT_EQ(h.startedRows, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 0}));
  // Consecutive clips of one file play on, and the player goes on by itself into the next
  // heading's file where that heading starts it from its beginning: the only seeks are the
  // heading starts it did not go on into.
  EXPECT_EQ(seekTargets(h.player, h.audioPath("three", "a.wav")), (std::vector<double>{0.0, 0.0}));
  EXPECT_EQ(seekTargets(h.player, h.audioPath("three", "b.wav")), std::vector<double>{});
  // A file whose first clip starts later is positioned before it is played.
  EXPECT_EQ(seekTargets(h.player, h.audioPath("three", "c.wav")).front(), 0.5);
  // Each of those three heading starts unloads the file first (the fourth: clearing at start).
  EXPECT_EQ(std::count(h.player.urls().begin(), h.player.urls().end(), ""), 4);
}

TEST(ReadingThrough, TheTrackingTickAdvancesNoLaterThanOneTickAfterTheClipEnd) {
  ReadingHarness h;
  const std::string folder = h.addBook("three", threeHeadings());
  h.start().openBookFolder(folder);
  const std::int64_t opened = h.clock.nowMs();
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 5000));
  const std::int64_t lag = h.clock.nowMs() - opened - 2000;
  EXPECT_GE(lag, 0);
  EXPECT_LE(lag, 100);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
}

TEST(ReadingThrough, WithoutAutomaticPlaybackTheHeadingEndReturnsToItsFirstPhraseAndPauses) {
  ReadingHarness h;
  h.settings.AutoPlay = false;
  const std::string folder = h.addBook("three", threeHeadings());
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 10000));
  h.advance(3000);  // the file runs out after the last clip of heading 0

  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_EQ(h.tree.itemData(h.tree.selected()), 0);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  EXPECT_DOUBLE_EQ(h.player.currentPosition(), 0.0);
  h.advance(5000);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);

  // Continuing reads the heading again from its start.
  h.command(cmd::kPauseContinue);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 2500));
}

TEST(ReadingThrough, AHeadingThatEndsOnItsFirstPhraseStaysThereWithTrackingStopped) {
  ReadingHarness h;
  h.settings.AutoPlay = false;
  TestBook book = threeHeadings();
  book.phrases = {{0, "a.wav", "0.000", "6.000"},
                  {1, "b.wav", "0.000", "4.000"},
                  {2, "c.wav", "0.000", "3.000"}};
  const std::string folder = h.addBook("single", book);
  h.start().openBookFolder(folder);
  h.advance(6500);
  EXPECT_EQ(h.startedRows, (std::vector<int>{0}));
  EXPECT_NE(h.player.playState(), PlayState::Playing);
  EXPECT_FALSE(h.clock.isRunning(2));
}

TEST(ReadingThrough, SkippedFootnotesAndSidebarsAreNotHeardAlsoAtTheEndOfAHeading) {
  ReadingHarness h;
  h.settings.SkipFootnotes = true;
  h.settings.SkipSidebars = true;
  TestBook book = threeHeadings();
  book.phrases = {{0, "a.wav", "0.000", "2.000"}, {0, "a.wav", "2.000", "3.000", "footnote"},
                  {0, "a.wav", "3.000", "5.000"}, {0, "a.wav", "5.000", "6.000", "sidebar"},
                  {1, "b.wav", "0.000", "4.000"}, {2, "c.wav", "0.000", "3.000"}};
  const std::string folder = h.addBook("notes", book);
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 5000));
  // The footnote's clip was passed over within the tick that found the first clip's end.
  EXPECT_LT(h.player.currentPosition(), 3.1 + 0.001);
  EXPECT_EQ(seekTargets(h.player, h.audioPath("notes", "a.wav")).back(), 3.0);

  // The skipped sidebar at the heading's end: the next heading starts at once, and the
  // sidebar's audio is not heard on the way.
  const std::string a = h.audioPath("notes", "a.wav");
  double heardOfA = 0;
  ASSERT_TRUE(h.runUntil(
      [&] {
        if (h.player.url() == a) heardOfA = std::max(heardOfA, h.player.currentPosition());
        return h.selectedPhrase() == 4;
      },
      5000));
  EXPECT_LT(heardOfA, 5.0 + 0.1 + 0.001);
  EXPECT_EQ(h.startedRows, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(h.tables.phrase.state(1) & kRowSelected, 0u);
}

TEST(ReadingThrough, WithoutAutomaticPlaybackASkippedEndReturnsToTheHeadingsStart) {
  ReadingHarness h;
  h.settings.SkipFootnotes = true;
  h.settings.AutoPlay = false;
  TestBook book = threeHeadings();
  book.phrases[2].skip = "footnote";
  const std::string folder = h.addBook("notes", book);
  h.start().openBookFolder(folder);
  h.advance(4300);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  EXPECT_LT(h.player.currentPosition(), 4.2);
}

TEST(ReadingThrough, FootnotesAreReadWhenNotSkipped) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.phrases[1].skip = "footnote";
  const std::string folder = h.addBook("notes", book);
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 6000));
  EXPECT_EQ(h.startedRows, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(seekTargets(h.player, h.audioPath("notes", "a.wav")).size(), 1u);
}

TEST(ReadingThrough, PhrasesWithoutAudioArePassedWhenTheNextCanBeHeard) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.phrases = {{0, "a.wav", "0.000", "2.000"},
                  {0, "", "", ""},
                  {0, "a.wav", "2.000", "4.000"},
                  {0, "", "", ""},
                  {0, "", "", ""},
                  {0, "a.wav", "4.000", "6.000"},
                  {1, "b.wav", "0.000", "4.000"},
                  {2, "c.wav", "0.000", "3.000"}};
  const std::string folder = h.addBook("silent", book);
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 5; }, 6000));
  EXPECT_EQ(h.startedRows, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  // The silent rows sit between clips that follow on: no seek was needed.
  EXPECT_EQ(seekTargets(h.player, h.audioPath("silent", "a.wav")).size(), 1u);
}

TEST(ReadingThrough, TwoSilentPhrasesAreCrossedAtOnceOnlyWithAutomaticPlayback) {
  ReadingHarness h;
  h.settings.AutoPlay = false;
  TestBook book = threeHeadings();
  book.phrases = {{0, "a.wav", "0.000", "2.000"},
                  {0, "", "", ""},
                  {0, "", "", ""},
                  {0, "a.wav", "2.000", "6.000"},
                  {1, "b.wav", "0.000", "4.000"},
                  {2, "c.wav", "0.000", "3.000"}};
  const std::string folder = h.addBook("silent", book);
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 3000));
  EXPECT_EQ(h.selectedPhrase(), 1);  // stays: the next phrase is silent as well
  h.advance(100);                    // the next tick still finds the clip end passed
  EXPECT_EQ(h.selectedPhrase(), 3);
}

TEST(ReadingThrough, PhraseForwardSeeksEvenWhereTheNextClipFollowsOn) {
  ReadingHarness h;
  const std::string folder = h.addBook("three", threeHeadings());
  h.start().openBookFolder(folder);
  h.advance(500);
  h.player.clearRecords();
  h.command(cmd::kPhraseForward);
  EXPECT_EQ(h.selectedPhrase(), 1);
  ASSERT_EQ(h.player.seeks().size(), 1u);
  EXPECT_DOUBLE_EQ(h.player.seeks()[0].to, 2.0);
  EXPECT_EQ(h.player.playCalls(), 0);  // a jump within the file keeps the player going
  EXPECT_FALSE(h.session().state().forceSeek);

  // Never out of the heading.
  h.command(cmd::kPhraseForward);
  h.command(cmd::kPhraseForward);
  EXPECT_EQ(h.selectedPhrase(), 2);
  h.command(cmd::kPhraseBackward);
  EXPECT_EQ(h.selectedPhrase(), 1);
}

TEST(ReadingThrough, ACaseOnlyDifferenceInTheTimeTextStillSeeks) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.phrases[0].end = "2.500";
  book.phrases[1].begin = "2.5";  // the same moment written differently
  const std::string folder = h.addBook("texts", book);
  h.start().openBookFolder(folder);
  h.player.clearRecords();
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 3000));
  ASSERT_EQ(h.player.seeks().size(), 1u);
  EXPECT_DOUBLE_EQ(h.player.seeks()[0].to, 2.5);
}

TEST(ReadingThrough, StartingAHeadingPlaysItsSoundsFirstAndReloadsTheSameFile) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.headingLevels = {1, 2, 3};
  book.phrases = {{0, "a.wav", "0.000", "2.000"},
                  {1, "a.wav", "2.000", "4.000"},
                  {2, "a.wav", "4.000", "6.000"}};
  book.audioSeconds = {{"a.wav", 6.0}};
  const std::string folder = h.addBook("nested", book);
  h.start().openBookFolder(folder);
  h.sounds.played.clear();
  h.player.clearRecords();

  h.tree.select(h.tree.findByItemData(1));  // depth 2, has a child
  EXPECT_EQ(h.sounds.names(), (std::vector<std::string>{"ExpandableBranche.wav", "Level2.wav"}));
  EXPECT_TRUE(h.sounds.played[0].wait);
  EXPECT_EQ(h.player.urls(), (std::vector<std::string>{"", h.audioPath("nested", "a.wav")}));
  EXPECT_EQ(h.selectedPhrase(), 1);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  EXPECT_EQ(h.tables.title.selectedRow(), 1);

  h.settings.SoundOnSubLevels = false;
  h.sounds.played.clear();
  h.tree.select(h.tree.findByItemData(2));
  EXPECT_EQ(h.sounds.names(), (std::vector<std::string>{"Level3.wav"}));
}

TEST(ReadingThrough, ARowOfAnotherHeadingThanTheTreeShowsPlaysNothing) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.pageFragments = {"txt0", "txt3", "txt5"};
  const std::string folder = h.addBook("three", book);
  h.start().openBookFolder(folder);
  const std::size_t navigations = h.navigated.size();
  h.player.clearRecords();

  h.tables.phrase.select(3);  // heading 1 while the tree still shows heading 0
  EXPECT_TRUE(h.player.urls().empty());
  EXPECT_TRUE(h.player.seeks().empty());
  EXPECT_EQ(h.navigated.size(), navigations);
  // The page still follows, with both page directions possible in the middle page.
  EXPECT_EQ(h.tables.page.selectionMark(), 1);
  EXPECT_EQ(h.tables.page.state(1), unsigned{kRowSelected | kRowFocused});
  EXPECT_TRUE(h.menu.isEnabled(cmd::kPageNext));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kPagePrevious));
}

TEST(ReadingThrough, PageTrackingGraysTheDirectionThatLeadsOutOfTheBook) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.pageFragments = {"txt0", "par1", "txt2"};
  book.features.pages = true;
  const std::string folder = h.addBook("pages", book);
  h.start().openBookFolder(folder);
  EXPECT_TRUE(h.menu.isEnabled(cmd::kPageNext));
  EXPECT_FALSE(h.menu.isEnabled(cmd::kPagePrevious));
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 3000));
  EXPECT_EQ(h.tables.page.selectionMark(), 1);  // found by the par id
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 3000));
  EXPECT_FALSE(h.menu.isEnabled(cmd::kPageNext));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kPagePrevious));
}

TEST(ReadingThrough, AHeadingOnAnotherVolumeStopsAutomaticPlaybackWithTheVolumeChangeOffered) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.phrases[3].skip = "change";
  const std::string folder = h.addBook("set", book);
  h.start().openBookFolder(folder);
  EXPECT_TRUE(h.menu.isEnabled(cmd::kChangeVolume));
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 3; }, 8000));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kChangeVolume));
  EXPECT_FALSE(h.session().state().autoPlayback);
  EXPECT_TRUE(h.menu.isChecked(cmd::kAutoPlay));
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 4; }, 3000));
  EXPECT_TRUE(h.menu.isEnabled(cmd::kChangeVolume));
  // With auto playback now off, the heading's end returns to its start.
  h.advance(3000);
  EXPECT_EQ(h.selectedPhrase(), 3);
}

TEST(ReadingThrough, AClipThatCannotBePlayedCountsAsHeardAndReadingGoesOn) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.phrases[3].audio = "missing.wav";
  book.phrases[4].audio = "missing.wav";
  const std::string folder = h.addBook("broken", book);
  h.start().openBookFolder(folder);
  h.tree.select(h.tree.findByItemData(1));
  EXPECT_EQ(h.player.errorCount(), 0);  // cleared, and the reader is not bothered
  EXPECT_TRUE(h.dialogs.messages.empty());
  // The text follows through the heading whose file failed, and the next heading is read.
  std::vector<int> seen;
  ASSERT_TRUE(h.runUntil(
      [&] {
        if (seen.empty() || seen.back() != h.selectedPhrase()) seen.push_back(h.selectedPhrase());
        return h.selectedPhrase() == 5;
      },
      1000));
  EXPECT_EQ(seen, (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(h.player.url(), h.audioPath("broken", "c.wav"));
  h.advance(300);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
}

TEST(ReadingThrough, AFileStillOpeningIsWaitedForUntilThePlayerGivesUp) {
  ReadingHarness h;
  TestBook book = threeHeadings();
  book.phrases[0].audio = "slow.wav";
  const std::string folder = h.addBook("slow", book);
  h.start().openBookFolder(folder);
  h.player.clearErrors();  // as if the player had said nothing and went on trying
  h.session().state().audioFailed = false;
  h.advance(30000);
  EXPECT_EQ(h.selectedPhrase(), 0);
  h.session().onPlayerError();
  h.advance(100);
  EXPECT_EQ(h.selectedPhrase(), 1);
}

TEST(ReadingThrough, TheHighlightTimerMarksThePhraseOnceAfterItsStart) {
  ReadingHarness h;
  const std::string folder = h.addBook("three", threeHeadings());
  h.start().openBookFolder(folder);
  h.highlighted.clear();
  h.advance(49);
  EXPECT_TRUE(h.highlighted.empty());
  h.advance(1);
  EXPECT_EQ(h.highlighted, (std::vector<std::string>{"t0"}));
  h.advance(500);
  EXPECT_EQ(h.highlighted.size(), 1u);
}

// Heading 0 lies in a.wav and b.wav, heading 1 in c.wav, heading 2 in d.wav.
TestBook splitHeadings() {
  TestBook book = threeHeadings();
  book.headingLevels = {1, 1, 1};
  book.phrases = {{0, "a.wav", "0.000", "1.000"}, {0, "a.wav", "1.000", "2.000"},
                  {0, "b.wav", "0.000", "1.500"}, {1, "c.wav", "0.000", "1.000"},
                  {1, "c.wav", "1.000", "2.000"}, {2, "d.wav", "0.000", "1.000"}};
  book.audioSeconds = {{"a.wav", 2.0}, {"b.wav", 1.5}, {"c.wav", 2.0}, {"d.wav", 1.0}};
  return book;
}

int urlsSet(const SimulatedPlayer& player, const std::string& url) {
  return static_cast<int>(std::count(player.urls().begin(), player.urls().end(), url));
}

TEST(ReadingThrough, TheReaderFollowsThePlayerIntoTheNextFileWithinAndAcrossHeadings) {
  ReadingHarness h;
  h.settings.SoundOnHeadingChange = false;
  h.settings.SoundOnSubLevels = false;
  const std::string folder = h.addBook("split", splitHeadings());
  h.start().openBookFolder(folder);
  const std::string b = h.audioPath("split", "b.wav");

  // Into the heading's second file: the player went there by itself, the reader followed
  // within a tick, and the position saved is the one in the new file.
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 2200));
  EXPECT_EQ(h.player.url(), b);
  EXPECT_EQ(urlsSet(h.player, b), 0);
  EXPECT_EQ(h.tree.itemData(h.tree.selected()), 0);
  h.advance(500);
  h.session().shutdown();
  const auto saved = readLineFile(h.dataFile("AResume.dl"));
  ASSERT_TRUE(saved && saved->size() == 9u);
  EXPECT_EQ((*saved)[6], "0");
  EXPECT_NEAR(std::stod((*saved)[7]), 0.6, 0.11);
  EXPECT_EQ((*saved)[8], "2");

  // Across the headings the same, each step within a tick of its moment in the book.
  ReadingHarness again;
  again.settings = h.settings;
  const std::string folder2 = again.addBook("split", splitHeadings());
  again.start().openBookFolder(folder2);
  const std::int64_t start = again.clock.nowMs();
  ASSERT_TRUE(again.runUntil([&] { return again.selectedPhrase() == 3; }, 4000));
  EXPECT_LE(again.clock.nowMs() - start, 3500 + 100);
  EXPECT_EQ(again.tree.itemData(again.tree.selected()), 1);
  ASSERT_TRUE(again.runUntil([&] { return again.selectedPhrase() == 5; }, 2200));
  EXPECT_LE(again.clock.nowMs() - start, 5500 + 100);
  EXPECT_EQ(again.tree.itemData(again.tree.selected()), 2);
  EXPECT_EQ(again.startedRows, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(urlsSet(again.player, again.audioPath("split", "c.wav")), 0);
  EXPECT_EQ(urlsSet(again.player, again.audioPath("split", "d.wav")), 0);
  EXPECT_EQ(again.player.playState(), PlayState::Playing);
}

TEST(ReadingThrough, AStepBackAfterTheChangeOfFileReturnsAndGoesOnAgain) {
  ReadingHarness h;
  const std::string folder = h.addBook("split", splitHeadings());
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 2200));
  h.advance(200);
  h.command(cmd::kPhraseBackward);
  EXPECT_EQ(h.selectedPhrase(), 1);
  EXPECT_EQ(h.player.url(), h.audioPath("split", "a.wav"));
  EXPECT_DOUBLE_EQ(h.player.currentPosition(), 1.0);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 2; }, 1200));
  EXPECT_EQ(urlsSet(h.player, h.audioPath("split", "b.wav")), 0);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
}

// The book's announcement and the first heading's sounds are played by the player ahead of the
// first file, the other headings' sounds between the two files, as the player goes on into the
// next heading's file by itself: the reader follows into it as without sounds.
TEST(ReadingThrough, TheAnnouncementAndTheHeadingSoundsArePlayedByThePlayerAheadOfTheFiles) {
  ReadingHarness h;
  TestBook book = splitHeadings();
  book.headingLevels = {1, 2, 1};
  const std::string folder = h.addBook("split", book);
  h.start().openBookFolder(folder);
  const std::int64_t start = h.clock.nowMs();

  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 3; }, 4000));
  EXPECT_LE(h.clock.nowMs() - start, 3500 + 100);
  EXPECT_EQ(h.tree.itemData(h.tree.selected()), 1);
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 5; }, 2200));
  EXPECT_EQ(h.tree.itemData(h.tree.selected()), 2);
  EXPECT_EQ(h.tables.title.selectedRow(), 2);
  EXPECT_EQ(h.startedRows, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  const std::string sounds = h.folders.programFolder + "UISounds/";
  EXPECT_EQ(h.player.soundsPlayed(),
            (std::vector<SoundBetween>{{h.audioPath("split", "a.wav"), 1.0},
                                       {sounds + "ExpandableBranche.wav"},
                                       {sounds + "Level1.wav"},
                                       {sounds + "Level2.wav"},
                                       {sounds + "Level1.wav"}}));
  EXPECT_TRUE(h.sounds.played.empty());
  EXPECT_EQ(urlsSet(h.player, h.audioPath("split", "c.wav")), 0);
  EXPECT_EQ(urlsSet(h.player, h.audioPath("split", "d.wav")), 0);

  h.advance(300);
  h.session().shutdown();
  const auto saved = readLineFile(h.dataFile("AResume.dl"));
  ASSERT_TRUE(saved && saved->size() == 9u);
  EXPECT_EQ((*saved)[6], "2");
  EXPECT_NEAR(std::stod((*saved)[7]), 0.35, 0.06);
  EXPECT_EQ((*saved)[8], "5");
}

TEST(ReadingThrough, WithoutAutomaticPlaybackTheNextHeadingIsNotPlayedOnInto) {
  ReadingHarness off;
  off.settings.AutoPlay = false;
  off.settings.SoundOnHeadingChange = false;
  const std::string folder2 = off.addBook("split", splitHeadings());
  off.start().openBookFolder(folder2);
  ASSERT_TRUE(off.runUntil([&] { return off.selectedPhrase() == 2; }, 2200));
  off.advance(1600);  // b.wav runs out: the heading ends
  EXPECT_EQ(off.selectedPhrase(), 0);
  EXPECT_EQ(off.tree.itemData(off.tree.selected()), 0);
  EXPECT_EQ(off.player.playState(), PlayState::Paused);
  EXPECT_EQ(off.player.url(), off.audioPath("split", "a.wav"));
}

}  // namespace
}  // namespace orbis::testing
