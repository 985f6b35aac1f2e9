#include "library/BookSession.h"

#include <algorithm>

#include "book/BookPaths.h"
#include "commands/CommandIds.h"
#include "library/BookMenus.h"
#include "library/DaisyLoad.h"
#include "library/EpubFile.h"
#include "playback/DecimalText.h"
#include "playback/WaitingSounds.h"
#include "settings/KeyFile.h"
#include "texts/UiTexts.h"

namespace orbis {

BookSession::BookSession(BookSessionContext context)
    : ctx_(std::move(context)),
      hooks_(ctx_.playback),
      speech_(env()),
      phrases_(env(), speech_),
      tracker_(env(), phrases_, speech_),
      audio_(env(), phrases_, speech_),
      resume_(env()),
      jumps_(env(), phrases_, speech_),
      sleep_(env(), speech_),
      lastBook_(ctx_.folders.dataFolder) {
  ctx_.tables.phrase.setListener(
      [this](BookTable&, const RowStateChange& change) { phrases_.onPhraseSelected(change); });
  treeListener_ = ctx_.tree.addListener([this](const TreeChange& change) {
    if (change.kind == TreeChange::SelectionChanged) phrases_.startSelectedHeading();
  });
  phrases_.headingEnded = [this] { tracker_.endOfHeading(); };
  hooks_.noPlayableAudio = [this] {
    ctx_.dialogs.messageBox(uiTexts().audioMissing, uiTexts().infoCaption, MessageButtons::Ok,
                            MessageIcon::Warning);
  };
  tracker_.afterHeadingEnd = [this] { sleep_.onHeadingEnded(); };
  speech_.phraseEnded = [this] { tracker_.onSpokenPhraseEnded(); };
  audio_.readAloudChanged = [this](bool on) {
    writeProfileString(readAloudPath(), "Speech", "ReadTextWithoutAudio", on ? "1" : "0");
  };
  // Where the reader fell asleep is kept as if the program had ended there.
  sleep_.ranOut = [this] {
    if (ctx_.book.open) saveReadingState(true);
  };
}

BookSession::~BookSession() {
  ctx_.tables.phrase.setListener(nullptr);
  ctx_.tree.removeListener(treeListener_);
}

PlaybackEnv BookSession::env() {
  return PlaybackEnv{ctx_.tables,
                     ctx_.tree,
                     ctx_.book,
                     ctx_.menu,
                     ctx_.settings,
                     ctx_.player,
                     ctx_.speech,
                     ctx_.timers,
                     ctx_.sounds,
                     ctx_.folders.programFolder,
                     ctx_.folders.dataFolder,
                     state_,
                     hooks_};
}

void BookSession::applySettings(const SettingsLoadResult& loaded) {
  const Settings& s = ctx_.settings;
  state_.autoPlayback = s.AutoPlay;
  state_.skipFootnotes = s.SkipFootnotes;
  state_.skipSidebars = s.SkipSidebars;
  state_.skipProducerNotes = s.SkipProducerNotes;
  state_.skipPageNumbers = s.SkipPageNumbers;
  ctx_.menu.setChecked(cmd::kAutoPlay, s.AutoPlay);
  ctx_.menu.setChecked(cmd::kSkipFootnotes, s.SkipFootnotes);
  ctx_.menu.setChecked(cmd::kSkipSidebars, s.SkipSidebars);
  ctx_.menu.setChecked(cmd::kSkipProdNotes, s.SkipProducerNotes);
  ctx_.menu.setChecked(cmd::kSkipPageNumbers, s.SkipPageNumbers);
  // On unless the reader switched it off.
  state_.readAloud =
      readProfileString(readAloudPath(), "Speech", "ReadTextWithoutAudio", "1") != "0";
  ctx_.menu.setChecked(cmd::kReadAloud, state_.readAloud);
  // Without a stored value the player keeps its own, and that is what reading applies.
  if (loaded.volumeRead) ctx_.player.setVolume(s.Volume);
  if (loaded.rateRead) ctx_.player.setRate(s.Rate);
  state_.volume = ctx_.player.volume();
  state_.rate = ctx_.player.rate();
  ctx_.menu.redraw();
}

void BookSession::registerCommands(CommandTable& commands) {
  commands.add(cmd::kOpen, [this] { openCommand(); });
  commands.add(cmd::kLastBook, [this] { lastBookCommand(); });
  audio_.registerCommands(commands);
  jumps_.registerCommands(commands);
  sleep_.registerCommands(commands);
}

void BookSession::onTimer(int id) {
  if (id == kHighlightTimer) tracker_.onHighlightTick();
  if (id == kTrackingTimer) tracker_.onTrackingTick();
  if (id == kSleepTimer) sleep_.onTick();
  if (id == kSpeechNoteTimer) {
    ctx_.timers.kill(kSpeechNoteTimer);
    tellNoSpeech();
  }
}

void BookSession::openBookFolder(const std::string& folder) {
  closeBook();
  loadBook(folder);
}

void BookSession::openCommand() {
  closeBook();
  const auto chosen = ctx_.dialogs.openFile(uiTexts().browseForBook, bookFilter(), "");
  if (!chosen) return;
  openBookFile(*chosen);
}

bool BookSession::loadBookPath(const std::string& path, LoadSteps steps) {
  if (!isEpubFile(path)) return loadBook(path, steps);
  closeBook();
  const auto folder = ctx_.library.epubFolder ? ctx_.library.epubFolder(path) : std::nullopt;
  if (!folder || !loadBook(*folder, steps)) return false;
  ctx_.book.sourceFile = path;
  return true;
}

void BookSession::openBookFile(const std::string& file) {
  closeBook();
  if (isEpubFile(file)) {
    loadBookPath(file, LoadSteps{});
    return;
  }
  // The reader may pick "ncc.html" or "NCC.HTML"; the book is the folder that holds it.
  const size_t slash = file.rfind('/');
  loadBook(slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1));
}

void BookSession::lastBookCommand() {
  closeBookForLastBook();
  const auto book = lastBook_.read();
  if (!book) return;
  loadBookPath(*book, LoadSteps{});
  // One step back only: the item comes back with the next book opened another way.
  ctx_.menu.setEnabled(cmd::kLastBook, false);
  ctx_.menu.redraw();
}

void BookSession::closeBook() {
  saveBook(true);
}

void BookSession::closeBookForLastBook() {
  saveBook(false);
  callHook(ctx_.library.clearSearchHighlight);
}

void BookSession::saveBook(bool writeLastBook) {
  if (!ctx_.book.open) return;
  sleep_.end();
  speech_.leave();
  ctx_.book.open = false;
  ctx_.timers.kill(kHighlightTimer);
  ctx_.timers.kill(kTrackingTimer);
  saveReadingState(writeLastBook);
  clearBook();
}

void BookSession::saveReadingState(bool writeLastBook) {
  if (writeLastBook) {
    lastBook_.write(ctx_.book.sourceFile.empty() ? ctx_.book.folder : ctx_.book.sourceFile);
  }
  resume_.savePosition();
  resume_.saveBookmarks();
}

void BookSession::clearBook() {
  ctx_.timers.kill(kHighlightTimer);
  ctx_.timers.kill(kTrackingTimer);
  speech_.leave();
  state_.lastAudioFile.clear();
  state_.followingAudioFile.clear();
  state_.waitForReader = false;
  tracker_.forgetPassedHeadings();
  callHook(ctx_.library.forgetHighlight);
  ctx_.tree.deleteAll();
  callHook(ctx_.library.clearStructureLists);
  ctx_.tables.clearAll();
  ctx_.player.setUrl("");
  callHook(ctx_.library.showStartPage);
  state_.startPageShown = true;
  state_.lastDocument.clear();
  grayBookMenus(ctx_.menu);
  ctx_.menu.redraw();
}

bool BookSession::loadBook(const std::string& folder, LoadSteps steps) {
  closeBook();
  ctx_.book.folder = withTrailingSlash(folder);
  ctx_.book.sourceFile.clear();
  const LoadOutcome outcome = ctx_.loader ? ctx_.loader(ctx_.book.folder) : LoadOutcome{};
  if (!outcome.ok) {
    // A load that gave up half way may have left headings behind; none of them can be read.
    clearBook();
    return false;
  }
  ctx_.book.metadata = outcome.metadata;
  ctx_.book.features = outcome.features;
  resume_.loadBookmarks();
  enableMenus();
  ctx_.book.open = true;
  if (steps.announce) announceBook();
  if (steps.restorePosition) {
    resume_.restorePosition();
    callHook(ctx_.library.positionRestored);
  }
  PlaybackEnv playback = env();
  playWaitingSounds(playback);  // when no file was given to the player to read
  ctx_.menu.setEnabled(cmd::kLastBook, true);
  ctx_.menu.redraw();
  return true;
}

void BookSession::enableMenus() {
  const BookFeatures& features = ctx_.book.features;
  enableBookMenus(ctx_.menu, {features, ctx_.tree.count(), ctx_.tables.bookmark.rowCount() > 0,
                              hasPhraseWithoutAudio()});
  if (features.groups && ctx_.library.fillGroupList) {
    std::vector<std::string> groups;
    for (int row = 0; row < ctx_.tables.group.rowCount(); ++row) {
      groups.emplace_back(ctx_.tables.group.cell(row, GroupCol::Label));
    }
    ctx_.library.fillGroupList(groups);
  }
  ctx_.menu.redraw();
}

// The book's first clip tells the reader which book has opened; it is heard to its end before
// reading starts, and the reading follows on it without a pause.
void BookSession::announceBook() {
  const BookTable& phrases = ctx_.tables.phrase;
  const std::string audio(phrases.cell(0, PhraseCol::Audio));
  if (audio.empty()) return;
  // Bounded, so that a garbled end time cannot overflow the conversion.
  const double seconds = std::clamp(decimalValue(phrases.cell(0, PhraseCol::End)), 0.0, 1.0e6);
  if (seconds * 1000.0 < 1.0) return;  // nothing to hear between 0 and 0
  state_.waitingSounds.push_back({resolveBookPath(ctx_.book.folder, audio), seconds});
}

bool BookSession::hasPhraseWithoutAudio() const {
  const BookTable& phrases = ctx_.tables.phrase;
  for (int row = 0; row < phrases.rowCount(); ++row) {
    if (phrases.cell(row, PhraseCol::Audio).empty()) return true;
  }
  return false;
}

// Once a session, and only when it can no longer interrupt a phrase being chosen.
void BookSession::tellNoSpeech() {
  audio_.duringModal([this] {
    ctx_.dialogs.messageBox(uiTexts().speechMissing, uiTexts().infoCaption, MessageButtons::Ok,
                            MessageIcon::Warning);
  });
}

void BookSession::shutdown() {
  // A fade in progress must not be stored as the reader's volume.
  sleep_.end();
  speech_.leave();
  if (ctx_.book.open) {
    ctx_.book.open = false;
    ctx_.timers.kill(kHighlightTimer);
    ctx_.timers.kill(kTrackingTimer);
    saveReadingState(true);
  }
  Settings& s = ctx_.settings;
  s.Volume = state_.volume;
  s.Rate = state_.rate;
  s.AutoPlay = state_.autoPlayback;
  s.SkipFootnotes = state_.skipFootnotes;
  s.SkipSidebars = state_.skipSidebars;
  s.SkipProducerNotes = state_.skipProducerNotes;
  s.SkipPageNumbers = state_.skipPageNumbers;
}

}  // namespace orbis
