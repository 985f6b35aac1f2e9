// The audio commands on a book being read: their limits, the pauses for menus, popups and
// dialogs, and the button faces.
#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "playback/SliderMapping.h"
#include "support/ReadingHarness.h"

namespace orbis::testing {
namespace {

TestBook oneFileBook() {
  TestBook book;
  book.headingLevels = {1, 1};
  book.phrases = {{0, "a.wav", "0.000", "5.000"},
                  {0, "a.wav", "5.000", "10.000"},
                  {1, "b.wav", "0.000", "10.000"}};
  book.audioSeconds = {{"a.wav", 10.0}, {"b.wav", 10.0}};
  book.metadata = {"Audio", "id-a", "2021-02-02", "2", "0:00:20", "", ""};
  book.features.audio = true;
  return book;
}

class AudioControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = h.addBook("audio", oneFileBook());
    h.start().openBookFolder(folder);
    h.advance(1000);
  }
  void command(int id) { h.command(id); }
  ReadingHarness h;
  std::string folder;
};

TEST_F(AudioControlsTest, FasterStopsAtTwoAndSlowerAtZeroPointSix) {
  std::vector<double> rates;
  for (int i = 0; i < 6; ++i) {
    command(cmd::kFaster);
    rates.push_back(h.player.rate());
  }
  const std::vector<double> expected = {1.2, 1.4, 1.6, 1.8, 2.0, 2.0};
  for (size_t i = 0; i < rates.size(); ++i) EXPECT_NEAR(rates[i], expected[i], 1e-9) << i;

  command(cmd::kSpeedNormal);
  EXPECT_DOUBLE_EQ(h.player.rate(), 1.0);
  command(cmd::kSlower);
  command(cmd::kSlower);
  command(cmd::kSlower);
  EXPECT_NEAR(h.player.rate(), 0.6, 1e-9);
}

TEST_F(AudioControlsTest, AChosenSpeedSurvivesTheNextJump) {
  command(cmd::kFaster);
  command(cmd::kFaster);
  h.tree.select(h.tree.findByItemData(1));  // a new heading re-applies the playback rate
  EXPECT_NEAR(h.player.rate(), 1.4, 1e-9);
  h.session().shutdown();
  EXPECT_NEAR(h.settings.Rate, 1.4, 1e-9);
}

TEST_F(AudioControlsTest, VolumeStepsByTenWithoutLimitsOfItsOwn) {
  command(cmd::kVolumeNormal);
  EXPECT_EQ(h.player.volume(), 50);
  for (int i = 0; i < 5; ++i) command(cmd::kVolumeUp);
  EXPECT_EQ(h.player.volume(), 100);
  command(cmd::kVolumeUp);
  EXPECT_EQ(h.player.lastRequestedVolume(), 110);  // the player clamps, the program does not
  command(cmd::kVolumeDown);
  EXPECT_EQ(h.player.volume(), 90);
  EXPECT_EQ(h.session().state().volume, 90);
  // The next heading start applies the remembered volume.
  h.tree.select(h.tree.findByItemData(1));
  EXPECT_EQ(h.player.lastRequestedVolume(), 90);
}

TEST_F(AudioControlsTest, PauseContinueAndStopSwapThePlayButtonFace) {
  h.buttonFaces.clear();
  command(ctl::kButtonPlay);
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  command(cmd::kPauseContinue);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  command(ctl::kButtonStop);
  EXPECT_EQ(h.player.playState(), PlayState::Stopped);
  command(ctl::kButtonPlay);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  std::vector<bool> playFaces;
  for (const auto& [id, alternate] : h.buttonFaces) {
    if (id == ctl::kButtonPlay) playFaces.push_back(alternate);
  }
  EXPECT_EQ(playFaces, (std::vector<bool>{false, true, false, true}));
}

TEST_F(AudioControlsTest, MuteShowsTheMutedFaceUntilUnmuted) {
  h.buttonFaces.clear();
  command(ctl::kButtonMute);
  EXPECT_TRUE(h.player.mute());
  EXPECT_EQ(h.buttonFaces.back(), std::make_pair(ctl::kButtonMute, true));
  command(ctl::kButtonMute);
  EXPECT_FALSE(h.player.mute());
  EXPECT_EQ(h.buttonFaces.back(), std::make_pair(ctl::kButtonMute, false));
}

TEST_F(AudioControlsTest, WindingMovesByAThousandthOfTheFileAndNeverSelectsBackward) {
  const double before = h.player.currentPosition();
  command(cmd::kWindForward);
  EXPECT_NEAR(h.player.currentPosition(), before + 0.01, 1e-9);
  command(ctl::kButtonRewind);
  command(ctl::kButtonRewind);
  EXPECT_NEAR(h.player.currentPosition(), before - 0.01, 1e-9);

  // Winding past a clip end: the selection catches up on the next tick, and not back.
  h.player.setCurrentPosition(5.5);
  h.advance(100);
  EXPECT_EQ(h.selectedPhrase(), 1);
  h.player.setCurrentPosition(1.0);
  h.advance(300);
  EXPECT_EQ(h.selectedPhrase(), 1);
}

TEST_F(AudioControlsTest, AMenuPausesReadingOnlyWhileItIsOpen) {
  h.session().onMenuOpened();
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  h.session().onMenuClosed();
  EXPECT_EQ(h.player.playState(), PlayState::Playing);

  command(cmd::kPauseContinue);  // the reader pauses
  h.session().onMenuOpened();
  h.session().onMenuClosed();
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
}

TEST_F(AudioControlsTest, AMenuDoesNotResumeWithoutAutomaticPlayback) {
  command(cmd::kAutoPlay);
  EXPECT_FALSE(h.menu.isChecked(cmd::kAutoPlay));
  EXPECT_FALSE(h.session().state().autoPlayback);
  h.session().onMenuOpened();
  h.session().onMenuClosed();
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  command(cmd::kAutoPlay);
  EXPECT_TRUE(h.menu.isChecked(cmd::kAutoPlay));
  EXPECT_TRUE(h.session().state().autoPlayback);
}

TEST_F(AudioControlsTest, DialogsRunWithReadingPaused) {
  PlayState during = PlayState::Undefined;
  h.dialogs.onOpen = [&] { during = h.player.playState(); };
  const MessageAnswer answer = h.session().duringModal([&] {
    return h.dialogs.messageBox("?", "Information", MessageButtons::Ok, MessageIcon::Information);
  });
  EXPECT_EQ(answer, MessageAnswer::Ok);
  EXPECT_EQ(during, PlayState::Paused);
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
}

TEST_F(AudioControlsTest, TheSlidersPauseReadingAndSetVolumeAndSpeed) {
  h.session().audio().pauseForPopup();
  EXPECT_EQ(h.player.playState(), PlayState::Paused);
  EXPECT_TRUE(h.session().state().resumeAfterPopup);
  h.session().onSlidersMoved(3, 20);
  EXPECT_EQ(h.player.volume(), 70);
  EXPECT_NEAR(h.player.rate(), 0.1, 1e-6);
  h.session().onPopupClosed();
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
  EXPECT_FALSE(h.session().state().resumeAfterPopup);
}

TEST(SliderMapping, PositionsAndValuesMapBothWays) {
  EXPECT_EQ(volumeSliderPosition(100), 0);
  EXPECT_EQ(volumeSliderPosition(55), 5);
  EXPECT_EQ(volumeSliderPosition(0), 10);
  EXPECT_EQ(volumeFromSlider(0), 100);
  EXPECT_EQ(volumeFromSlider(10), 0);
  EXPECT_EQ(speedSliderPosition(1.0), 10);
  EXPECT_EQ(speedSliderPosition(2.0), 0);
  EXPECT_EQ(speedSliderPosition(1.2 + 0.2), 6);  // not one notch off for an inexact 1.4
  EXPECT_NEAR(rateFromSlider(0), 2.0, 1e-6);
  EXPECT_NEAR(rateFromSlider(19), 0.1, 1e-6);
  EXPECT_NEAR(rateFromSlider(20), 0.1, 1e-6);  // never 0, which would stop the player
  for (int p = 0; p < 20; ++p) EXPECT_EQ(speedSliderPosition(rateFromSlider(p)), p);
}

}  // namespace
}  // namespace orbis::testing
