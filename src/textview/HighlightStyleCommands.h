#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "ports/Dialogs.h"
#include "ports/MediaPlayer.h"
#include "textview/HighlightStyle.h"

namespace orbis {

// The menu commands that choose how the phrase is marked: a radio group of four items. The
// colour styles ask for a colour first; a cancelled chooser changes nothing.
class HighlightStyleCommands {
 public:
  static constexpr int kBackground = 32844;
  static constexpr int kBold = 32846;
  static constexpr int kItalic = 32847;
  static constexpr int kFontColour = 32848;
  static constexpr int kFirstInGroup = 32844;
  static constexpr int kLastInGroup = 32848;

  // radioCheck puts the radio mark on one item of the group kFirstInGroup..kLastInGroup.
  HighlightStyleCommands(HighlightStyle& style, MediaPlayer& player, Dialogs& dialogs,
                         std::function<bool()> autoPlayback,
                         std::function<void(int commandId)> radioCheck);

  static bool handles(int commandId);
  void run(int commandId);

 private:
  void chooseColourStyle(int commandId, std::uint32_t initial);
  void select(int commandId);

  HighlightStyle& style_;
  MediaPlayer& player_;
  Dialogs& dialogs_;
  std::function<bool()> autoPlayback_;
  std::function<void(int)> radioCheck_;
};

// "#rrggbb" in lower-case hexadecimal from 0xRRGGBB.
std::string colourText(std::uint32_t rgb);

}  // namespace orbis
