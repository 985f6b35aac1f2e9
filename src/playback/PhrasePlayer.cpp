#include "playback/PhrasePlayer.h"

#include <algorithm>
#include <utility>

#include "book/BookPaths.h"
#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"
#include "sounds/InterfaceSounds.h"

namespace orbis {

namespace {
bool contains(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}
bool isNccDocument(const std::string& document) {
  return contains(document, "ncc.html") || contains(document, "NCC.HTML");
}
}  // namespace

void PhrasePlayer::onPhraseSelected(const RowStateChange& change) {
  if (!env_.book.open || change.newState != kRowSelected) return;
  BookTable& phrases = env_.tables.phrase;
  const int row = phrases.selectionMark();
  const std::string treeId(phrases.cell(row, PhraseCol::TreeId));
  const std::string parId(phrases.cell(row, PhraseCol::ParId));
  const std::string document(phrases.cell(row, PhraseCol::Document));
  env_.state.currentFragment = phrases.cell(row, PhraseCol::Fragment);
  const std::string textId(phrases.cell(row, PhraseCol::TextId));
  const std::string audio(phrases.cell(row, PhraseCol::Audio));
  const std::string beginText(phrases.cell(row, PhraseCol::Begin));
  const std::string endText(phrases.cell(row, PhraseCol::End));
  const std::string skipClasses(phrases.cell(row, PhraseCol::Skip));

  if (env_.tables.page.rowCount() > 0) trackPage(textId, parId);
  if (skipped(skipClasses)) {
    if (!nextPhraseInTitle()) endOfSkippedHeading();
    return;
  }
  markVolumeChange(skipClasses);

  // A phrase of a heading other than the one the tree shows (a caller broke the contract of
  // selecting the heading first) updates pages and menus only.
  if (env_.tree.itemData(env_.tree.selected()) != integerValue(treeId)) return;

  if (document != env_.state.lastDocument) {
    env_.state.startPageShown = false;
    callHook(env_.hooks.navigate, document);
    env_.state.lastDocument = document;
  }
  env_.timers.start(kHighlightTimer, kHighlightDelayMs);

  if (audio.empty()) {
    // A phrase without audio has nothing to wait for: pass on at once when the next phrase can
    // be heard, and through a run of silent phrases only when the reader wants to go on.
    const bool nextHasAudio = !phrases.cell(row + 1, PhraseCol::Audio).empty();
    if (nextHasAudio || env_.state.autoPlayback) nextPhraseInTitle();
    return;
  }
  playClip(row, audio, beginText, endText);
}

void PhrasePlayer::trackPage(const std::string& textId, const std::string& parId) {
  BookTable& pages = env_.tables.page;
  const int last = pages.rowCount() - 1;
  for (int row = 0; row <= last; ++row) {
    const std::string fragment(pages.cell(row, PageCol::Fragment));
    if (fragment != textId && fragment != parId) continue;
    pages.setSelectionMark(row);
    // Selected and focused: the page table's own handler acts only on "selected" alone, so the
    // reader is not moved to the page's start.
    pages.setState(row, kRowSelected | kRowFocused, kRowSelected | kRowFocused);
    pages.ensureVisible(row);
    // A book of one page has neither a next nor a previous page.
    env_.menu.enableSteps(cmd::kPagePrevious, cmd::kPageNext, row, last + 1);
    break;
  }
  env_.menu.redraw();
}

bool PhrasePlayer::skipped(const std::string& skipClasses) const {
  const PlaybackState& s = env_.state;
  return (contains(skipClasses, "sidebar") && s.skipSidebars) ||
         (contains(skipClasses, "prodnote") && s.skipProducerNotes) ||
         (contains(skipClasses, "footnote") && s.skipFootnotes) ||
         (contains(skipClasses, "pagenumber") && s.skipPageNumbers);
}

void PhrasePlayer::markVolumeChange(const std::string& skipClasses) {
  const bool otherVolume = contains(skipClasses, "change");
  // Reading must not run on into a heading whose audio lies on another volume. The volume
  // change itself is offered while any book is open: a reader may go back to an earlier volume
  // from anywhere.
  if (otherVolume && env_.menu.isChecked(cmd::kAutoPlay)) env_.state.autoPlayback = false;
}

void PhrasePlayer::playClip(int row, const std::string& audio, const std::string& beginText,
                            const std::string& endText) {
  PlaybackState& s = env_.state;
  const double begin = decimalValue(beginText);
  env_.timers.kill(kTrackingTimer);
  s.clipEnd = decimalValue(endText);
  // Followed into its file by the tracking, the phrase finds it playing from its start.
  const bool playingOn = std::exchange(s.playingOn, false) && audio == s.lastAudioFile;
  if (!playingOn) positionPlayer(audio, beginText, begin);
  s.lastClipEnd = endText;
  if (begin == 0.0 && !playingOn && !cueing_) env_.player.play();
  prepareFollowingFile(row);
  env_.timers.start(kTrackingTimer, kTrackingIntervalMs);
}

void PhrasePlayer::positionPlayer(const std::string& audio, const std::string& beginText,
                                  double begin) {
  PlaybackState& s = env_.state;
  MediaPlayer& player = env_.player;
  if (audio != s.lastAudioFile) {
    // Remembered first: a player may report the file's failure from inside setUrl.
    s.audioFailed = false;
    s.lastAudioFile = audio;
    player.setUrl(resolveBookPath(env_.book.folder, audio), std::exchange(s.waitingSounds, {}));
    if (begin != 0.0) {
      applyRateAndVolume();
      player.setCurrentPosition(begin);
      if (!cueing_) player.play();
    }
  }
  // The texts are compared, not the numbers: a clip that begins where the last one ended plays
  // on without a seek, which is what makes the reading gapless.
  if (beginText != s.lastClipEnd || s.forceSeek) {
    s.forceSeek = false;
    player.setCurrentPosition(begin);
    applyRateAndVolume();
  }
}

// The file the reading goes on with once this phrase's file has played out, where the phrase
// that follows starts that file from its beginning anyway: handed to the player ahead, so that
// it plays on into it without a pause, the next heading's sounds between the two.
void PhrasePlayer::prepareFollowingFile(int row) {
  PlaybackState& s = env_.state;
  const BookTable& phrases = env_.tables.phrase;
  s.followingRow = followingFileRow(row);
  if (s.followingRow < 0) {
    s.followingAudioFile.clear();
    env_.player.setNextUrl("");
    return;
  }
  s.followingAudioFile = phrases.cell(s.followingRow, PhraseCol::Audio);
  std::vector<SoundBetween> sounds;
  if (phrases.cell(s.followingRow, PhraseCol::TreeId) != phrases.cell(row, PhraseCol::TreeId)) {
    const InterfaceSounds interfaceSounds(env_.sounds, env_.programFolder);
    for (const std::string& name : headingSounds(headingAfter(env_.tree, env_.tree.selected()))) {
      const std::string path = interfaceSounds.resolve(name);
      if (!path.empty()) sounds.push_back({path});
    }
  }
  env_.player.setNextUrl(resolveBookPath(env_.book.folder, s.followingAudioFile), sounds);
}

int PhrasePlayer::followingFileRow(int row) const {
  const BookTable& phrases = env_.tables.phrase;
  const std::string_view audio = phrases.cell(row, PhraseCol::Audio);
  const std::string_view treeId = phrases.cell(row, PhraseCol::TreeId);
  // Past the clips that play on in this file within this heading.
  int next = row + 1;
  while (next < phrases.rowCount() && phrases.cell(next, PhraseCol::TreeId) == treeId &&
         phrases.cell(next, PhraseCol::Audio) == audio &&
         phrases.cell(next, PhraseCol::Begin) == phrases.cell(next - 1, PhraseCol::End)) {
    ++next;
  }
  if (next >= phrases.rowCount()) return -1;
  const std::string_view nextAudio = phrases.cell(next, PhraseCol::Audio);
  if (nextAudio.empty() || nextAudio == audio ||
      decimalValue(phrases.cell(next, PhraseCol::Begin)) != 0.0 ||
      skipped(std::string(phrases.cell(next, PhraseCol::Skip)))) {
    return -1;
  }
  if (phrases.cell(next, PhraseCol::TreeId) == treeId) return next;
  return readingGoesOnInto(integerValue(phrases.cell(next, PhraseCol::TreeId))) ? next : -1;
}

// Automatic playback goes on into that heading at this one's end.
bool PhrasePlayer::readingGoesOnInto(int title) const {
  const HeadingsTree& tree = env_.tree;
  const TreeNode node = tree.selected();
  if (!env_.state.autoPlayback || node == kNoNode) return false;
  return tree.itemData(headingAfter(tree, node)) == title;
}

// The interface sounds that mark the start of a heading, by the reader's settings.
std::vector<std::string> PhrasePlayer::headingSounds(TreeNode node) const {
  std::vector<std::string> names;
  if (node == kNoNode) return names;
  if (env_.tree.hasChildren(node) && env_.settings.SoundOnSubLevels) {
    names.emplace_back("ExpandableBranche.wav");
  }
  if (env_.settings.SoundOnHeadingChange) {
    names.push_back("Level" + std::to_string(env_.tree.depth(node)) + ".wav");
  }
  return names;
}

void PhrasePlayer::applyRateAndVolume() {
  env_.player.setRate(env_.state.rate);
  env_.player.setVolume(env_.state.volume);
}

bool PhrasePlayer::nextPhraseInTitle() {
  return stepInTitle(+1);
}
bool PhrasePlayer::previousPhraseInTitle() {
  return stepInTitle(-1);
}

bool PhrasePlayer::stepInTitle(int delta) {
  BookTable& phrases = env_.tables.phrase;
  const int row = phrases.selectionMark();
  const int target = row + delta;
  if (row < 0 || row >= phrases.rowCount() || target < 0 || target >= phrases.rowCount()) {
    return false;
  }
  if (phrases.cell(row, PhraseCol::TreeId) != phrases.cell(target, PhraseCol::TreeId)) {
    return false;
  }
  phrases.setSelectionMark(target);
  phrases.setState(target, kRowSelected, kRowSelected);
  phrases.ensureVisible(target);
  return true;
}

void PhrasePlayer::startRow(int row) {
  BookTable& phrases = env_.tables.phrase;
  if (row < 0 || row >= phrases.rowCount()) return;
  if (phrases.selectedRow() != row) {
    phrases.select(row);
    return;
  }
  phrases.setSelectionMark(row);
  phrases.ensureVisible(row);
  onPhraseSelected({row, kRowSelected, kRowSelected});
}

// The rest of the heading is skipped, so the heading ends now: waiting for the player to run
// through the skipped audio would let the reader hear what they chose to skip. A heading that
// is skipped as a whole ends the same way inside the end of the one before; when reading does
// not go on by itself, or every heading of the book was passed so, reading pauses instead.
void PhrasePlayer::endOfSkippedHeading() {
  constexpr int kMostHeadingsInARow = 512;  // bounds the nesting of a book skipped throughout
  const int limit = std::min(env_.tree.count(), kMostHeadingsInARow);
  if (!headingEnded ||
      (headingsEnding_ > 0 && (!env_.state.autoPlayback || headingsEnding_ >= limit))) {
    env_.player.pause();
    return;
  }
  ++headingsEnding_;
  headingEnded();
  --headingsEnding_;
}

void PhrasePlayer::startSelectedHeading() {
  if (!env_.book.open) return;
  HeadingsTree& tree = env_.tree;
  const TreeNode node = tree.selected();
  if (node == kNoNode) return;
  const int title = tree.itemData(node);

  // A heading the player has gone on into by itself, at the end of the heading before, had its
  // sounds played by the player between the two files. Otherwise the heading's first phrase
  // loads its file afresh, even when it is the file just heard.
  // Sounds that wait for the reading to start (a book's announcement) take these with them.
  if (!env_.state.playingOn) {
    InterfaceSounds sounds(env_.sounds, env_.programFolder);
    for (const std::string& name : headingSounds(node)) {
      const std::string path = sounds.resolve(name);
      if (path.empty()) continue;
      if (env_.state.waitingSounds.empty()) {
        env_.sounds.play(path, true);
      } else {
        env_.state.waitingSounds.push_back({path});
      }
    }
    env_.player.setUrl("");
    env_.state.lastAudioFile.clear();
    env_.state.followingAudioFile.clear();
  }
  // A heading chosen is a heading to read, also after the reader stopped.
  env_.state.waitForReader = false;

  BookTable& phrases = env_.tables.phrase;
  for (int row = 0; row < phrases.rowCount(); ++row) {
    if (integerValue(phrases.cell(row, PhraseCol::TreeId)) != title) {
      if (callTextSearchActive()) callHook(env_.hooks.clearSearchHits);
      continue;
    }
    // Searching in the text needs a text of its own: the document this heading shows decides,
    // also for the first heading of a book, before which no phrase was selected.
    const std::string document(phrases.cell(row, PhraseCol::Document));
    if (!isNccDocument(document)) {
      env_.menu.setEnabled(cmd::kSearchText, true);
    } else if (env_.menu.isEnabled(cmd::kSearchText)) {
      env_.menu.setEnabled(cmd::kSearchText, false);
      callHook(env_.hooks.clearSearchHits);
    }
    env_.menu.setEnabled(cmd::kPhraseForward, true);
    phrases.select(row);
    break;
  }
  env_.tables.title.ensureVisible(title);
  env_.tables.title.setState(title, kRowSelected, kRowSelected);
}

int PhrasePlayer::headingStartRow() const {
  const BookTable& phrases = env_.tables.phrase;
  int row = phrases.selectionMark();
  if (row < 0 || row >= phrases.rowCount()) return -1;
  const std::string_view treeId = phrases.cell(row, PhraseCol::TreeId);
  while (row > 0 && phrases.cell(row - 1, PhraseCol::TreeId) == treeId) --row;
  return row;
}

void PhrasePlayer::cueHeadingStart() {
  const int row = headingStartRow();
  if (!env_.book.open || row < 0) return;
  env_.state.forceSeek = true;
  cueing_ = true;
  startRow(row);
  cueing_ = false;
}

bool PhrasePlayer::callTextSearchActive() const {
  return env_.hooks.textSearchActive && env_.hooks.textSearchActive();
}

void PhrasePlayer::onPlayerError() {
  if (env_.player.errorCount() > 0) env_.player.clearErrors();
  // Only a file still being played failed; an error of one already left behind says nothing.
  if (!env_.state.lastAudioFile.empty()) env_.state.audioFailed = true;
}

}  // namespace orbis
