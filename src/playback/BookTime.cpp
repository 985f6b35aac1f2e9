#include "playback/BookTime.h"

#include <algorithm>

#include "playback/DecimalText.h"

namespace orbis {

namespace {

double clipBegin(const BookTable& phrases, int row) {
  return decimalValue(phrases.cell(row, PhraseCol::Begin));
}

bool inTable(const BookTable& phrases, int row) {
  return row >= 0 && row < phrases.rowCount();
}

// How far into its clip the place lies, kept within the clip.
double offsetInClip(const BookTable& phrases, BookPlace place) {
  return std::clamp(place.position - clipBegin(phrases, place.row), 0.0,
                    clipSeconds(phrases, place.row));
}

}  // namespace

BookPlace readingPlace(const BookTable& phrases, const MediaPlayer& player) {
  const int row = phrases.selectionMark();
  if (!inTable(phrases, row)) return {};
  if (player.playState() == PlayState::MediaEnded) {
    return {row, decimalValue(phrases.cell(row, PhraseCol::End))};
  }
  return {row, player.currentPosition()};
}

double clipSeconds(const BookTable& phrases, int row) {
  if (phrases.cell(row, PhraseCol::Audio).empty()) return 0;
  const double length = decimalValue(phrases.cell(row, PhraseCol::End)) - clipBegin(phrases, row);
  return std::max(0.0, length);
}

BookPlace placeAfter(const BookTable& phrases, BookPlace from, double seconds) {
  if (!inTable(phrases, from.row)) return {};
  int row = from.row;
  double offset = offsetInClip(phrases, from) + seconds;
  const int last = phrases.rowCount() - 1;
  // Backward: through the clips before, until the offset lies in one or the book begins.
  while (offset < 0 && row > 0) {
    --row;
    offset += clipSeconds(phrases, row);
  }
  // Forward: a place at a clip's very end is the next clip's start, so that a jump always lands
  // in a phrase that is still to be heard.
  while (row < last && offset >= clipSeconds(phrases, row)) {
    offset -= clipSeconds(phrases, row);
    ++row;
  }
  // Silent phrases last no time and are not landed on while a clip with sound follows.
  offset = std::clamp(offset, 0.0, clipSeconds(phrases, row));
  return {row, clipBegin(phrases, row) + offset};
}

double secondsToHeadingEnd(const BookTable& phrases, BookPlace from) {
  if (!inTable(phrases, from.row)) return 0;
  const std::string_view heading = phrases.cell(from.row, PhraseCol::TreeId);
  double seconds = clipSeconds(phrases, from.row) - offsetInClip(phrases, from);
  for (int row = from.row + 1;
       row < phrases.rowCount() && phrases.cell(row, PhraseCol::TreeId) == heading; ++row) {
    seconds += clipSeconds(phrases, row);
  }
  return seconds;
}

}  // namespace orbis
