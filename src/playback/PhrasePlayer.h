#pragma once
#include <functional>
#include <string>
#include <vector>

#include "book/BookTable.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

// Plays the book phrase by phrase. Selecting a row of the phrase table is the one way anything
// reaches the player: the selection handler shows the phrase's document, points the player at
// its audio and positions it, and starts the highlight and tracking timers. Consecutive clips
// of one file (the begin text equals the last end text) play on untouched, so the book plays
// without gaps; everything else that moves the reader sets the force-seek flag.
class PhrasePlayer {
 public:
  explicit PhrasePlayer(PlaybackEnv env) : env_(env) {}

  // The phrase table's change notification.
  void onPhraseSelected(const RowStateChange& change);
  // Step to the neighbouring phrase when it belongs to the same heading; nothing at a heading's
  // edge (the tracking timer handles the end of a heading).
  // True when the selection moved.
  bool nextPhraseInTitle();
  bool previousPhraseInTitle();
  // Selects a phrase row and starts it, also when it is the row already selected (which
  // selecting alone would not report).
  void startRow(int row);
  // The headings tree's selection changed: sounds for the heading, then its first phrase.
  void startSelectedHeading();
  // The first row of the heading the selected phrase belongs to; -1 without a selected phrase.
  int headingStartRow() const;
  // Puts the reader on the current heading's first phrase, shown, marked and with the player
  // positioned there, without starting the audio.
  void cueHeadingStart();
  // The player reported an error: its queue is cleared, the reader is told nothing.
  void onPlayerError();

  // The end of the heading, as the player reaching the end of its audio would be (automatic
  // playback goes on with the next heading, else reading returns to the heading's start).
  std::function<void()> headingEnded;

 private:
  bool stepInTitle(int delta);
  void endOfSkippedHeading();
  void trackPage(const std::string& textId, const std::string& parId);
  bool skipped(const std::string& skipClasses) const;
  void markVolumeChange(const std::string& skipClasses);
  void playClip(int row, const std::string& audio, const std::string& beginText,
                const std::string& endText);
  void positionPlayer(const std::string& audio, const std::string& beginText, double begin);
  void prepareFollowingFile(int row);
  int followingFileRow(int row) const;
  bool readingGoesOnInto(int title) const;
  std::vector<std::string> headingSounds(TreeNode node) const;
  void applyRateAndVolume();
  bool callTextSearchActive() const;

  PlaybackEnv env_;
  int headingsEnding_ = 0;  // headings ended by skipping, one inside the other
  bool cueing_ = false;     // phrases start positioned but silent
};

}  // namespace orbis
