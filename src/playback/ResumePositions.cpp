#include "playback/ResumePositions.h"

#include <filesystem>
#include <system_error>

#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "playback/ResumeRecords.h"
#include "playback/SelectHeading.h"
#include "playback/WaitingSounds.h"
#include "settings/LineFile.h"

namespace orbis {

namespace {

// The lines of a file that may be missing. Nothing when it exists but cannot be read: writing
// it anew then would throw away every other book's records.
std::optional<std::vector<std::string>> linesOrEmpty(const std::string& path) {
  if (auto lines = readLineFile(path)) return lines;
  std::error_code error;
  if (std::filesystem::exists(path, error) || error) return std::nullopt;
  return std::vector<std::string>{};
}

bool isNccDocument(const std::string& document) {
  return document.find("ncc.html") != std::string::npos ||
         document.find("NCC.HTML") != std::string::npos;
}

}  // namespace

void ResumePositions::savePosition() {
  env_.player.pause();
  const double position = env_.player.currentPosition();
  const auto lines = linesOrEmpty(positionFile());
  if (!lines) return;
  const BookTable& phrases = env_.tables.phrase;
  const int row = phrases.selectionMark();
  const ResumePosition ours{std::string(phrases.cell(row, PhraseCol::TreeId)), fixed3(position),
                            std::to_string(row)};
  writeLineFile(positionFile(), withPosition(*lines, BookIdentity(env_.book.metadata), ours), true);
}

void ResumePositions::saveBookmarks() {
  const auto lines = linesOrEmpty(bookmarkFile());
  if (!lines) return;
  const BookTable& marks = env_.tables.bookmark;
  std::vector<BookmarkColumns> bookmarks;
  for (int row = 0; row < marks.rowCount(); ++row) {
    bookmarks.push_back({std::string(marks.cell(row, BookmarkCol::Title)),
                         std::string(marks.cell(row, BookmarkCol::Time)),
                         std::string(marks.cell(row, BookmarkCol::TitleId)),
                         std::string(marks.cell(row, BookmarkCol::EventId))});
  }
  writeLineFile(bookmarkFile(), withBookmarks(*lines, BookIdentity(env_.book.metadata), bookmarks),
                true);
}

void ResumePositions::loadBookmarks() {
  const auto lines = readLineFile(bookmarkFile());
  if (!lines) return;
  BookTable& marks = env_.tables.bookmark;
  for (const auto& columns : findBookmarks(*lines, BookIdentity(env_.book.metadata))) {
    // The table's rows run parallel to the panel's list: the row goes where the list put it.
    const int index = env_.hooks.addBookmarkListEntry ? env_.hooks.addBookmarkListEntry(columns[0])
                                                      : marks.rowCount();
    const int row = marks.insertRow(index, columns[0]);
    marks.setCell(row, BookmarkCol::Time, columns[1]);
    marks.setCell(row, BookmarkCol::TitleId, columns[2]);
    marks.setCell(row, BookmarkCol::EventId, columns[3]);
  }
  if (marks.rowCount() > 0) env_.menu.setEnabled(cmd::kBookmarkNext, true);
}

void ResumePositions::restorePosition() {
  env_.timers.kill(kHighlightTimer);
  env_.timers.kill(kTrackingTimer);
  if (!restoreStored()) startFromBeginning();
  focusStartControl();
}

bool ResumePositions::restoreStored() {
  const auto lines = readLineFile(positionFile());
  if (!lines) return false;
  const auto stored = findPosition(*lines, BookIdentity(env_.book.metadata));
  if (!stored) return false;
  BookTable& phrases = env_.tables.phrase;
  const int row = integerValue(stored->row);
  // A record that does not fit the book (a damaged file, or a book changed since) is not
  // followed: the reader starts at the beginning instead.
  if (row < 0 || row >= phrases.rowCount() ||
      phrases.cell(row, PhraseCol::TreeId) != stored->treeId) {
    return false;
  }
  // Reading goes on in the middle of a heading, after the sounds that wait for it.
  playWaitingSounds(env_);
  selectHeadingByTreeId(env_.tree, integerValue(stored->treeId));
  phrases.setSelectionMark(row);
  if (!isNccDocument(std::string(phrases.cell(row, PhraseCol::Document)))) {
    env_.menu.setEnabled(cmd::kSearchText, true);
  }
  showDocumentOf(row);
  phrases.setState(row, kRowSelected, kRowSelected);
  phrases.ensureVisible(row);
  callHook(env_.hooks.highlightPhrase, std::string(phrases.cell(row, PhraseCol::Fragment)));
  // The stored position is a position in the audio file, not in the phrase.
  env_.player.setCurrentPosition(std::max(0.0, decimalValue(stored->position)));
  if (env_.state.autoPlayback) env_.player.play();
  return true;
}

void ResumePositions::startFromBeginning() {
  BookTable& phrases = env_.tables.phrase;
  selectHeadingByTreeId(env_.tree, 0);
  if (phrases.rowCount() == 0) return;
  phrases.setSelectionMark(0);
  showDocumentOf(0);
  phrases.setState(0, kRowSelected, kRowSelected);
  phrases.ensureVisible(0);
}

void ResumePositions::showDocumentOf(int row) {
  env_.state.startPageShown = false;
  callHook(env_.hooks.navigate, std::string(env_.tables.phrase.cell(row, PhraseCol::Document)));
}

void ResumePositions::focusStartControl() {
  switch (env_.settings.StartFocus) {
    case Settings::kFocusCurrentText:
      callHook(env_.hooks.focusControl, ctl::kCurrentText);
      break;
    case Settings::kFocusButtons:
      callHook(env_.hooks.focusControl, ctl::kButtonOpen);
      break;
    case Settings::kFocusTree:
      callHook(env_.hooks.focusControl, ctl::kTree);
      break;
    default:
      callHook(env_.hooks.focusControl, ctl::kTextView);
  }
}

}  // namespace orbis
