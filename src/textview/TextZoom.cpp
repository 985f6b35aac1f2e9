#include "textview/TextZoom.h"

#include <algorithm>
#include <iterator>

#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "settings/KeyFile.h"

namespace orbis {

namespace {

constexpr int kSteps[] = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
constexpr const char* kSection = "TextView";
constexpr const char* kKey = "Zoom";

}  // namespace

void TextZoom::registerCommands(CommandTable& commands) {
  commands.add(cmd::kZoomIn, [this] { enlarge(); });
  commands.add(cmd::kZoomOut, [this] { shrink(); });
  commands.add(cmd::kZoomReset, [this] { reset(); });
}

// A size edited by hand is taken within the limits; one that is no number is normal size.
void TextZoom::restore() {
  const int stored = integerValue(readProfileString(path_, kSection, kKey, ""));
  percent_ = stored > 0 ? std::clamp(stored, kSmallest, kLargest) : kNormal;
  view_.setZoom(percent_);
}

// From a size between two steps (kept from an edited file), the next step in the direction
// asked for.
void TextZoom::enlarge() {
  const auto* next = std::upper_bound(std::begin(kSteps), std::end(kSteps), percent_);
  if (next != std::end(kSteps)) set(*next);
}

void TextZoom::shrink() {
  const auto* next = std::lower_bound(std::begin(kSteps), std::end(kSteps), percent_);
  if (next != std::begin(kSteps)) set(*std::prev(next));
}

void TextZoom::reset() {
  set(kNormal);
}

void TextZoom::set(int percent) {
  if (percent == percent_) return;
  percent_ = percent;
  view_.setZoom(percent_);
  writeProfileString(path_, kSection, kKey, std::to_string(percent_));
}

}  // namespace orbis
