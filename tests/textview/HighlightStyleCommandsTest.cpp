#include "textview/HighlightStyleCommands.h"

#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"

namespace orbis {
namespace {

// Only the play state matters to the style commands.
class StatePlayer : public MediaPlayer {
 public:
  void setUrl(const std::string&, const std::vector<SoundBetween>&) override {}
  std::string url() const override { return {}; }
  void setNextUrl(const std::string&, const std::vector<SoundBetween>&) override {}
  void play() override { state = PlayState::Playing; }
  void pause() override { state = PlayState::Paused; }
  void stop() override { state = PlayState::Stopped; }
  double currentPosition() const override { return 0; }
  void setCurrentPosition(double) override {}
  double duration() const override { return 0; }
  double rate() const override { return 1; }
  void setRate(double) override {}
  int volume() const override { return 100; }
  void setVolume(int) override {}
  bool mute() const override { return false; }
  void setMute(bool) override {}
  PlayState playState() const override { return state; }
  int openState() const override { return kOpenStateMediaOpen; }
  int errorCount() const override { return 0; }
  std::string errorDescription(int) const override { return {}; }
  void clearErrors() override {}
  PlayState state = PlayState::Playing;
};

class HighlightStyleCommandsTest : public ::testing::Test {
 protected:
  HighlightStyle style;
  StatePlayer player;
  testing::ScriptedDialogs dialogs;
  bool autoPlayback = true;
  std::vector<int> checked;
  std::vector<PlayState> stateInChooser;
  HighlightStyleCommands commands{style, player, dialogs, [this] { return autoPlayback; },
                                  [this](int id) { checked.push_back(id); }};
  void SetUp() override {
    dialogs.onOpen = [this] { stateInChooser.push_back(player.state); };
  }
};

TEST_F(HighlightStyleCommandsTest, BoldAndItalicSwitchWithoutAsking) {
  commands.run(HighlightStyleCommands::kBold);
  EXPECT_TRUE(style.bold);
  EXPECT_FALSE(style.background || style.italic || style.fontColour);
  commands.run(HighlightStyleCommands::kItalic);
  EXPECT_TRUE(style.italic);
  EXPECT_FALSE(style.bold);
  EXPECT_EQ(checked, (std::vector<int>{32846, 32847}));
  EXPECT_TRUE(stateInChooser.empty());
  EXPECT_EQ(player.state, PlayState::Playing);
}

TEST_F(HighlightStyleCommandsTest, FontColourPausesAsksAndResumes) {
  dialogs.colors.push_back(0x1234AB);
  commands.run(HighlightStyleCommands::kFontColour);
  EXPECT_EQ(stateInChooser, std::vector<PlayState>{PlayState::Paused});
  EXPECT_EQ(style.colour, "#1234ab");
  EXPECT_TRUE(style.fontColour);
  EXPECT_FALSE(style.background);
  EXPECT_EQ(checked, std::vector<int>{32848});
  EXPECT_EQ(player.state, PlayState::Playing);
}

TEST_F(HighlightStyleCommandsTest, ACancelledChooserChangesNothingButStillResumes) {
  commands.run(HighlightStyleCommands::kFontColour);
  EXPECT_TRUE(style.background);
  EXPECT_EQ(style.colour, "#ff8000");
  EXPECT_TRUE(checked.empty());
  EXPECT_EQ(player.state, PlayState::Playing);
}

TEST_F(HighlightStyleCommandsTest, NoResumeWithoutAutoPlaybackOrWhenNotPlaying) {
  autoPlayback = false;
  dialogs.colors.push_back(0x00FF00);
  commands.run(HighlightStyleCommands::kBackground);
  EXPECT_EQ(player.state, PlayState::Paused);
  EXPECT_EQ(style.colour, "#00ff00");
  autoPlayback = true;
  commands.run(HighlightStyleCommands::kBackground);  // paused before: stays paused
  EXPECT_EQ(player.state, PlayState::Paused);
}

TEST(HighlightStyle, TheFirstFlagInOrderWins) {
  HighlightStyle all{.background = true, .italic = true, .bold = true, .fontColour = true};
  EXPECT_EQ(phraseOpeningTag(all), "<SPAN style=\"BACKGROUND-COLOR: #ff8000\">");
  all.background = false;
  EXPECT_EQ(searchOpeningTag(all), "<span style=\"COLOR: #ff8000\">");
  all.fontColour = false;
  EXPECT_EQ(searchOpeningTag(all), "<span style=\"FONT-WEIGHT: BOLD\">");
}

}  // namespace
}  // namespace orbis
