#include "playback/TimeJumps.h"

#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"

namespace orbis {

namespace {
constexpr double kShortJump = 10.0;
constexpr double kLongJump = 60.0;
// What a jump leaves of the book: landing on its very end would end the book at once (and with
// automatic playback start it again from the beginning), in a pause too.
constexpr double kLastStretch = 1.0;
}  // namespace

void TimeJumps::registerCommands(CommandTable& commands) {
  using namespace cmd;
  commands.add(kJumpBack10, [this] { jump(-kShortJump); });
  commands.add(kJumpForward10, [this] { jump(kShortJump); });
  commands.add(kJumpBack60, [this] { jump(-kLongJump); });
  commands.add(kJumpForward60, [this] { jump(kLongJump); });
}

void TimeJumps::jump(double seconds) {
  if (!env_.book.open) return;
  const BookTable& phrases = env_.tables.phrase;
  const BookPlace from = readingPlace(phrases, env_.player);
  BookPlace target = placeAfter(phrases, from, seconds);
  if (target.row < 0) return;
  const auto inLastStretch = [&](BookPlace place, double stretch) {
    return place.row == phrases.rowCount() - 1 && secondsToHeadingEnd(phrases, place) <= stretch;
  };
  if (seconds > 0 && inLastStretch(target, 0)) {
    if (inLastStretch(from, kLastStretch)) return;  // already as far as a jump goes
    target = placeAfter(phrases, target, -kLastStretch);
  }
  goTo(target);
}

// The heading first, so that its phrase is played rather than only marked; then the phrase,
// sought even when it continues the clip before; then the place inside it.
void TimeJumps::goTo(BookPlace place) {
  const bool reading = env_.player.playState() == PlayState::Playing;
  const BookTable& phrases = env_.tables.phrase;
  selectHeadingByTreeId(env_.tree, integerValue(phrases.cell(place.row, PhraseCol::TreeId)));
  env_.state.forceSeek = true;
  phrases_.startRow(place.row);
  env_.player.setCurrentPosition(place.position);
  // Starting a phrase in a new file starts the player; a paused reader stays paused.
  if (!reading && env_.player.playState() == PlayState::Playing) env_.player.pause();
}

}  // namespace orbis
