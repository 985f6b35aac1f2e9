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
// How fast a synthesizer reads at its default rate, roughly, in characters a second.
constexpr double kSpokenCharactersPerSecond = 15.0;
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
  if (speech_.active()) {
    jumpFromSpokenPhrase(seconds);
    return;
  }
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

// Counted in whole phrases from the start of the spoken one: a jump forward goes on at least to
// the next phrase, a jump back at least to the start of the phrase being spoken.
void TimeJumps::jumpFromSpokenPhrase(double seconds) {
  const BookTable& phrases = env_.tables.phrase;
  const int from = speech_.row();
  if (from < 0 || from >= phrases.rowCount()) return;
  const bool reading = speech_.speaking();
  int row = from;
  if (seconds > 0) {
    double passed = estimatedSeconds(row);
    while (row + 1 < phrases.rowCount() && (row == from || passed <= seconds)) {
      ++row;
      passed += estimatedSeconds(row);
    }
    if (row == from) return;  // the book's last phrase: as far as a jump goes
  } else {
    double passed = 0;
    while (row > 0 && passed < -seconds) {
      --row;
      passed += estimatedSeconds(row);
    }
  }
  selectHeadingByTreeId(env_.tree, integerValue(phrases.cell(row, PhraseCol::TreeId)));
  // A heading's first phrase has started with the heading; a phrase jumped back to from
  // within itself starts again.
  if (row == from || speech_.row() != row || phrases.selectedRow() != row) {
    env_.state.forceSeek = true;
    phrases_.startRow(row);
  }
  // A paused reader stays paused, with the phrase reached waiting.
  if (!reading && speech_.speaking()) speech_.stop();
}

double TimeJumps::estimatedSeconds(int row) const {
  const BookTable& phrases = env_.tables.phrase;
  if (!phrases.cell(row, PhraseCol::Audio).empty()) return clipSeconds(phrases, row);
  if (!env_.state.readAloud || !env_.hooks.phraseText) return 0;
  const std::string text =
      env_.hooks.phraseText(std::string(phrases.cell(row, PhraseCol::Fragment))).text;
  const double rate = env_.state.rate > 0 ? env_.state.rate : 1.0;
  return static_cast<double>(text.size()) / kSpokenCharactersPerSecond / rate;
}

}  // namespace orbis
