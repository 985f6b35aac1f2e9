#pragma once
#include "book/BookTables.h"
#include "ports/MediaPlayer.h"

namespace orbis {

// Time in the book as a listener hears it: the clips of the phrase table one after another in
// reading order, whatever files and headings they lie in. A phrase without audio (or with a
// garbled clip) lasts no time.

// A place in the book: a phrase row and a position in that phrase's audio file (seconds).
struct BookPlace {
  int row = -1;
  double position = 0;
};

// Where reading stands: the phrase at the selection mark and the player's position in its file.
// A file that has run out has no position left; reading then stands at the end of the clip.
BookPlace readingPlace(const BookTable& phrases, const MediaPlayer& player);

// The length of the row's clip in seconds; 0 without audio.
double clipSeconds(const BookTable& phrases, int row);

// The place `seconds` after (or, negative, before) the given place, counted through the clips
// in reading order. It stops at the start of the first clip and at the end of the last one.
// A place outside its clip counts from the clip's nearer edge. Nothing (row -1) for an empty
// table or a row outside it.
BookPlace placeAfter(const BookTable& phrases, BookPlace from, double seconds);

// How long reading takes from the place to the end of the clip of the last phrase of its
// heading; 0 when the place is past it or outside the table.
double secondsToHeadingEnd(const BookTable& phrases, BookPlace from);

}  // namespace orbis
