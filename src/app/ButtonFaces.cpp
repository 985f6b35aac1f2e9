#include "app/ButtonFaces.h"

#include "commands/CommandIds.h"

namespace orbis {

const std::vector<ButtonFaces>& buttonFaces() {
  using namespace ctl;
  static const std::vector<ButtonFaces> faces = {
      {kButtonOpen, 156, 157},       {kButtonLevels, 154, 153},
      {kButtonGroups, 150, 149},     {kButtonSearch, 152, 151},
      {kButtonBookmarks, 148, 147},  {kButtonSetBookmark, 185, 186},
      {kButtonSpeed, 181, 182},      {kButtonVolume, 171, 170},
      {kButtonMute, 161, 160},       {kButtonPlay, 175, 174},
      {kButtonStop, 173, 172},       {kButtonRewind, 167, 166},
      {kButtonForward, 169, 168},    {kButtonPreviousLevel, 189, 190},
      {kButtonNextLevel, 192, 191},  {kButtonPreviousPhrase, 179, 180},
      {kButtonNextPhrase, 177, 178}, {kButtonPreviousPage, 187, 188},
      {kButtonNextPage, 193, 194},
  };
  return faces;
}

}  // namespace orbis
