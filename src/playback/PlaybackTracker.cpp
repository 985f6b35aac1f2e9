#include "playback/PlaybackTracker.h"

#include <utility>

#include "book/BookPaths.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"

namespace orbis {

void PlaybackTracker::onHighlightTick() {
  env_.timers.kill(kHighlightTimer);
  callHook(env_.hooks.highlightSearchTerm);
  callHook(env_.hooks.highlightPhrase, env_.state.currentFragment);
}

void PlaybackTracker::onTrackingTick() {
  MediaPlayer& player = env_.player;
  // While a file is still opening (or failed to open) there is no position to follow.
  if (player.openState() != kOpenStateMediaOpen) {
    passUnplayableClip();
    return;
  }
  const PlayState state = player.playState();
  if (state == PlayState::Playing) {
    env_.state.waitForReader = false;
    silentHeadings_ = 0;
    if (playerWentOn()) {
      followIntoNextFile();
      return;
    }
    const double position = player.currentPosition();
    env_.state.volume = player.volume();  // mirror a volume changed outside the program
    // No tolerance: one tick late is 100 ms at most, and a clip is never cut short.
    if (env_.state.clipEnd <= position && !awaitingNextFile()) phrases_.nextPhraseInTitle();
  } else if (state == PlayState::Stopped && !env_.state.waitForReader) {
    // Stopped without the reader asking: the file has run out.
    endOfHeading();
  }
}

// The player has played its file out and gone on into the following one by itself.
bool PlaybackTracker::playerWentOn() const {
  const PlaybackState& s = env_.state;
  return !s.followingAudioFile.empty() && s.followingAudioFile != s.lastAudioFile &&
         env_.player.url() == resolveBookPath(env_.book.folder, s.followingAudioFile);
}

// The clip ends with its file, and the file that follows plays on from it: the step to the
// next phrase waits for the player to move into that file, since starting it now would cut off
// what the output still holds of this one.
bool PlaybackTracker::awaitingNextFile() const {
  const PlaybackState& s = env_.state;
  return !s.followingAudioFile.empty() && s.clipEnd >= env_.player.duration() - kClipEndsWithFile;
}

// The reader follows into the next file: its first phrase, in this heading or (with automatic
// playback) the next, starts without touching the player.
void PlaybackTracker::followIntoNextFile() {
  PlaybackState& s = env_.state;
  BookTable& phrases = env_.tables.phrase;
  const int row = s.followingRow;
  s.lastAudioFile = std::exchange(s.followingAudioFile, {});
  s.followingRow = -1;
  s.playingOn = true;
  const int current = phrases.selectionMark();
  if (current >= 0 && current < phrases.rowCount() &&
      phrases.cell(current, PhraseCol::TreeId) == phrases.cell(row, PhraseCol::TreeId)) {
    phrases.setSelectionMark(row);
    phrases.setState(row, kRowSelected, kRowSelected);
    phrases.ensureVisible(row);
  } else {
    endOfHeading();
  }
  s.playingOn = false;
}

void PlaybackTracker::onSpokenPhraseEnded() {
  silentHeadings_ = 0;
  env_.state.waitForReader = false;
  if (!phrases_.nextPhraseInTitle()) endOfHeading();
}

void PlaybackTracker::endOfHeading() {
  if (env_.state.autoPlayback) {
    advanceToNextHeading();
  } else {
    returnToHeadingStart();
  }
  if (afterHeadingEnd) afterHeadingEnd();
}

// A clip whose file is missing or cannot be played counts as heard once the player has said
// so; a file the player is still opening (a disc spinning up) is waited for. The text follows
// the book one phrase a tick, and the reading goes on as it would after the clip, but a book
// none of whose headings can be heard is passed once only.
void PlaybackTracker::passUnplayableClip() {
  const PlaybackState& s = env_.state;
  if (s.lastAudioFile.empty() || !s.audioFailed || s.waitForReader) return;
  // Its text is read instead where it can be.
  if (speech_.take(env_.tables.phrase.selectionMark(), false)) return;
  if (phrases_.nextPhraseInTitle()) return;
  if (s.autoPlayback && ++silentHeadings_ >= env_.tree.count()) {
    stopAfterSilentBook();
    return;
  }
  endOfHeading();
}

// Back where the passing began, waiting for the reader, who is told why nothing is heard.
void PlaybackTracker::stopAfterSilentBook() {
  silentHeadings_ = 0;
  advanceToNextHeading();
  env_.state.waitForReader = true;
  phrases_.cueHeadingStart();  // a book of one heading stays where it is otherwise
  callHook(env_.hooks.noPlayableAudio);
}

void PlaybackTracker::advanceToNextHeading() {
  HeadingsTree& tree = env_.tree;
  const TreeNode node = tree.selected();
  if (node == kNoNode) return;
  tree.select(headingAfter(tree, node));  // after the last heading the book starts again
}

void PlaybackTracker::returnToHeadingStart() {
  env_.timers.kill(kTrackingTimer);
  BookTable& phrases = env_.tables.phrase;
  const int row = phrases_.headingStartRow();
  if (row < 0) {
    env_.player.pause();
    return;
  }
  // Waiting before the phrase starts, so that a phrase that is spoken waits cued.
  env_.state.waitForReader = true;
  selectHeadingByTreeId(env_.tree, integerValue(phrases.cell(row, PhraseCol::TreeId)));
  phrases.setSelectionMark(row);
  phrases.ensureVisible(row);
  phrases.setState(row, kRowSelected, kRowSelected);
  env_.player.pause();
  speech_.stop();
  env_.state.waitForReader = true;
}

}  // namespace orbis
