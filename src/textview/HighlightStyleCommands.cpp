#include "textview/HighlightStyleCommands.h"

#include <cstdio>

namespace orbis {

std::string colourText(std::uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", (rgb >> 16) & 0xFFu, (rgb >> 8) & 0xFFu,
                rgb & 0xFFu);
  return text;
}

HighlightStyleCommands::HighlightStyleCommands(HighlightStyle& style, MediaPlayer& player,
                                               Dialogs& dialogs, std::function<bool()> autoPlayback,
                                               std::function<void(int)> radioCheck)
    : style_(style),
      player_(player),
      dialogs_(dialogs),
      autoPlayback_(std::move(autoPlayback)),
      radioCheck_(std::move(radioCheck)) {}

bool HighlightStyleCommands::handles(int commandId) {
  return commandId == kBackground || commandId == kBold || commandId == kItalic ||
         commandId == kFontColour;
}

void HighlightStyleCommands::run(int commandId) {
  switch (commandId) {
    case kBackground:
      chooseColourStyle(commandId, 0xFF8000);
      break;
    case kFontColour:
      chooseColourStyle(commandId, 0xFFFFFF);
      break;
    case kBold:
    case kItalic:
      select(commandId);
      break;
    default:
      break;
  }
}

void HighlightStyleCommands::chooseColourStyle(int commandId, std::uint32_t initial) {
  // The chooser is modal: reading pauses while it is open and goes on afterwards when it was
  // playing and automatic playback is on.
  bool resume = false;
  if (player_.playState() == PlayState::Playing) {
    player_.pause();
    resume = autoPlayback_ && autoPlayback_();
  }
  if (std::optional<std::uint32_t> chosen = dialogs_.chooseColor(initial)) {
    style_.colour = colourText(*chosen);
    select(commandId);
  }
  if (resume && player_.playState() == PlayState::Paused) player_.play();
}

void HighlightStyleCommands::select(int commandId) {
  if (radioCheck_) radioCheck_(commandId);
  style_.background = commandId == kBackground;
  style_.bold = commandId == kBold;
  style_.italic = commandId == kItalic;
  style_.fontColour = commandId == kFontColour;
}

}  // namespace orbis
