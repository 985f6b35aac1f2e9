#include "playback/PlaybackTracker.h"

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
  unopenedTicks_ = 0;
  const PlayState state = player.playState();
  if (state == PlayState::Playing) {
    const double position = player.currentPosition();
    env_.state.volume = player.volume();  // mirror a volume changed outside the program
    // No tolerance: one tick late is 100 ms at most, and a clip is never cut short.
    if (env_.state.clipEnd <= position) phrases_.nextPhraseInTitle();
  } else if (state == PlayState::Stopped) {
    endOfHeading();
  }
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
// so, or has not opened the file for a few seconds: reading would otherwise stall there for
// good, in silence. The text goes on following the book one phrase a tick, and the rest of the
// book is read. A reader's pause holds it as it holds the audio.
void PlaybackTracker::passUnplayableClip() {
  if (env_.state.lastAudioFile.empty() || env_.player.playState() == PlayState::Paused) return;
  if (!env_.state.audioFailed && ++unopenedTicks_ < kOpenWaitTicks) return;
  unopenedTicks_ = 0;
  if (!phrases_.nextPhraseInTitle()) endOfHeading();
}

void PlaybackTracker::advanceToNextHeading() {
  HeadingsTree& tree = env_.tree;
  const TreeNode node = tree.selected();
  if (node == kNoNode) return;
  if (tree.hasChildren(node)) {
    tree.select(tree.firstChild(node));
  } else if (tree.itemData(node) + 1 == tree.count()) {
    tree.select(tree.root());  // after the last heading the book starts again
  } else {
    const TreeNode next = tree.nextVisible(node);
    tree.select(next != kNoNode ? next : tree.root());
  }
}

void PlaybackTracker::returnToHeadingStart() {
  env_.timers.kill(kTrackingTimer);
  BookTable& phrases = env_.tables.phrase;
  int row = phrases.selectionMark();
  if (row < 0 || row >= phrases.rowCount()) {
    env_.player.pause();
    return;
  }
  const std::string treeId(phrases.cell(row, PhraseCol::TreeId));
  selectHeadingByTreeId(env_.tree, integerValue(treeId));
  while (row > 0 && phrases.cell(row - 1, PhraseCol::TreeId) == treeId) --row;
  phrases.setSelectionMark(row);
  phrases.ensureVisible(row);
  phrases.setState(row, kRowSelected, kRowSelected);
  env_.player.pause();
}

}  // namespace orbis
