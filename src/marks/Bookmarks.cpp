#include "marks/Bookmarks.h"

#include <algorithm>
#include <cstdio>

#include "commands/CommandIds.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"

namespace orbis {

namespace {

// Six decimals with a point whatever the locale: the resume file is read back the same way.
std::string positionText(double seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", seconds);
  for (char* c = text; *c; ++c) {
    if (*c == ',') *c = '.';
  }
  return text;
}

}  // namespace

Bookmarks::Bookmarks(BookmarkContext context) : ctx_(context) {
  ctx_.tables.bookmark.setListener(
      [this](BookTable&, const RowStateChange& change) { onRow(change); });
  ctx_.panel.bookmarkChosen = [this](int index) { choose(index); };
}

Bookmarks::~Bookmarks() {
  ctx_.tables.bookmark.setListener(nullptr);
  ctx_.panel.bookmarkChosen = nullptr;
}

void Bookmarks::registerCommands(CommandTable& commands) {
  commands.add({cmd::kBookmarkSet, ctl::kButtonSetBookmark}, [this] { set(); });
  commands.add(cmd::kBookmarkDelete, [this] { remove(); });
  commands.add(cmd::kBookmarkNext, [this] { next(); });
  commands.add(cmd::kBookmarkPrevious, [this] { previous(); });
}

// Only a place in an open book can be kept: without a heading and a phrase being read there is
// nothing to come back to (and the row would be stored under the next book's name).
void Bookmarks::set() {
  const BookTable& titles = ctx_.tables.title;
  const int title = titles.selectionMark();
  const int phrase = ctx_.tables.phrase.selectionMark();
  if (!ctx_.book.open || title < 0 || title >= titles.rowCount() || phrase < 0 ||
      phrase >= ctx_.tables.phrase.rowCount()) {
    return;
  }
  const bool ended = ctx_.player.playState() == PlayState::MediaEnded;
  const std::string time = ended ? std::string() : positionText(ctx_.player.currentPosition());
  const std::string heading(titles.cell(title, TitleCol::Title));
  const std::string treeId(titles.cell(title, TitleCol::TreeId));

  const int index = ctx_.panel.append(kPanelBookmarks, heading);
  BookTable& marks = ctx_.tables.bookmark;
  const int row = marks.insertRow(index, heading);
  marks.setCell(row, BookmarkCol::Time, time);
  marks.setCell(row, BookmarkCol::TitleId, treeId);
  marks.setCell(row, BookmarkCol::EventId, std::to_string(phrase));
  ctx_.menu.setEnabled(cmd::kBookmarkNext, true);
  ctx_.menu.redraw();
}

void Bookmarks::choose(int index) {
  BookTable& marks = ctx_.tables.bookmark;
  if (!ctx_.book.open || index < 0 || index >= marks.rowCount()) return;
  ctx_.menu.setEnabled(cmd::kBookmarkDelete, true);
  ctx_.menu.redraw();
  // Choosing the bookmark already chosen visits it again: selecting its row reports nothing.
  visited_ = false;
  marks.select(index);
  if (!visited_) visit(index);
  ctx_.panel.markEntry(kPanelBookmarks, index);
}

void Bookmarks::onRow(const RowStateChange& change) {
  if (!ctx_.book.open || change.newState != kRowSelected) return;
  visited_ = true;
  visit(change.row);
}

// The heading first, then the phrase and the place in its audio. A bookmark that no longer fits
// the book (an edited file, a changed book) only leads to its heading: stepping on from a
// phrase of another heading would go astray.
void Bookmarks::visit(int row) {
  const BookTable& marks = ctx_.tables.bookmark;
  const std::string_view treeId = marks.cell(row, BookmarkCol::TitleId);
  const std::string_view time = marks.cell(row, BookmarkCol::Time);
  const std::string_view eventId = marks.cell(row, BookmarkCol::EventId);
  selectHeadingByTreeId(ctx_.tree, integerValue(treeId));

  const BookTable& phrases = ctx_.tables.phrase;
  const int phrase = integerValue(eventId);
  if (eventId.empty() || phrase < 0 || phrase >= phrases.rowCount() ||
      integerValue(phrases.cell(phrase, PhraseCol::TreeId)) != integerValue(treeId)) {
    return;
  }
  ctx_.state.forceSeek = true;
  ctx_.phrases.startRow(phrase);
  // A bookmark set after the audio had ended has no time: the phrase's own start serves.
  if (!time.empty() && ctx_.player.playState() != PlayState::MediaEnded) {
    ctx_.player.setCurrentPosition(std::max(0.0, decimalValue(time)));
  }
}

void Bookmarks::next() {
  const int count = ctx_.tables.bookmark.rowCount();
  const int k = current();
  if (count == 0 || k >= count - 1) return;
  MenuModel& menu = ctx_.menu;
  menu.setEnabled(cmd::kBookmarkDelete, true);
  menu.setEnabled(cmd::kBookmarkNext, k + 2 < count);
  menu.setEnabled(cmd::kBookmarkPrevious, k >= 0);
  step(k + 1);
}

void Bookmarks::previous() {
  const int k = current();
  if (k <= 0) return;
  MenuModel& menu = ctx_.menu;
  menu.setEnabled(cmd::kBookmarkPrevious, k >= 2);
  menu.setEnabled(cmd::kBookmarkNext, true);
  step(k - 1);
}

void Bookmarks::step(int index) {
  choose(index);
  ctx_.menu.redraw();
}

void Bookmarks::remove() {
  BookTable& marks = ctx_.tables.bookmark;
  const int k = current();
  if (k >= 0) {
    ctx_.panel.removeEntry(kPanelBookmarks, k);
    marks.deleteRow(k);
    marks.setSelectionMark(-1);
  }
  MenuModel& menu = ctx_.menu;
  menu.setEnabled(cmd::kBookmarkDelete, false);
  // With none chosen any more, the way on is "next" from the first; "previous" has nowhere to
  // go. Leaving "next" grayed after a delete would strand the remaining bookmarks.
  menu.setEnabled(cmd::kBookmarkNext, marks.rowCount() > 0);
  menu.setEnabled(cmd::kBookmarkPrevious, false);
  menu.redraw();
}

}  // namespace orbis
