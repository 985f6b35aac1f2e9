#include "marks/Search.h"

#include "commands/CommandIds.h"
#include "marks/BookSearch.h"
#include "marks/DocumentText.h"
#include "marks/UnicodeLower.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"
#include "texts/UiTexts.h"
#include "textview/HtmlDocument.h"

namespace orbis {

namespace {

// The phrases whose text lies in the same document as the row's.
PhraseRowsByFragment phrasesOfDocumentOf(const BookTable& phrases, int row) {
  PhraseRowsByFragment result;
  const std::string_view document = phrases.cell(row, PhraseCol::Document);
  for (int r = 0; r < phrases.rowCount(); ++r) {
    if (phrases.cell(r, PhraseCol::Document) != document) continue;
    const std::string_view fragment = phrases.cell(r, PhraseCol::Fragment);
    if (!fragment.empty()) result.emplace(fragment, r);
  }
  return result;
}

// Shows the busy note for as long as the search runs.
class BusyWhile {
 public:
  explicit BusyWhile(BusyNote& note) : note_(note) { note_.show(uiTexts().searchRunning); }
  ~BusyWhile() { note_.close(); }
  BusyWhile(const BusyWhile&) = delete;
  BusyWhile& operator=(const BusyWhile&) = delete;

 private:
  BusyNote& note_;
};

}  // namespace

Search::Search(SearchContext context) : ctx_(std::move(context)) {
  ctx_.tables.hit.setListener(
      [this](BookTable&, const RowStateChange& change) { onHitRow(change); });
  ctx_.panel.hitChosen = [this](int index) { chooseHit(index); };
}

Search::~Search() {
  ctx_.tables.hit.setListener(nullptr);
  ctx_.panel.hitChosen = nullptr;
}

void Search::registerCommands(CommandTable& commands) {
  using namespace cmd;
  commands.add(kSearchHeadings, [this] { searchInHeadings(); });
  commands.add(kSearchText, [this] { searchInText(); });
  commands.add(kSearchBook, [this] { searchInBook(); });
  commands.add(kSearchNext, [this] { nextHit(); });
  commands.add(kSearchPrevious, [this] { previousHit(); });
}

std::string Search::hitCountText(int count) {
  std::string text = uiTexts().searchHits;
  const std::string number = std::to_string(count);
  if (const size_t at = text.find("%i"); at != std::string::npos)
    return text.replace(at, 2, number);
  return text + " " + number + ".";
}

void Search::clearHits() {
  // Starting a heading asks for every row it passes over: only the first call has work.
  if (ctx_.tables.hit.rowCount() == 0 && ctx_.panel.entryCount(kPanelSearchHits) == 0) return;
  ctx_.tables.hit.deleteAll();
  entries_.clear();
  ctx_.panel.setEntries(kPanelSearchHits, {});
  ctx_.menu.setEnabled(cmd::kSearchNext, false);
  ctx_.menu.setEnabled(cmd::kSearchPrevious, false);
}

void Search::run(Kind kind) {
  if (!ctx_.book.open) return;
  ctx_.audio.duringModal([&] {
    const UiTexts& texts = uiTexts();
    const std::optional<std::string> answer =
        ctx_.dialogs.askText(texts.searchCaption, texts.searchPrompt, 2);
    if (!answer || answer->empty()) return;
    clearHits();
    const std::string term = lowerUnicode(*answer);
    lastHitRow_ = -1;
    int count = 0;
    switch (kind) {
      case Kind::Headings:
        count = searchHeadings(term);
        break;
      case Kind::Text:
        count = searchText(term);
        break;
      case Kind::Book:
        count = searchBook(term);
        break;
    }
    ctx_.panel.setEntries(kPanelSearchHits, entries_);
    // The hit list now holds this search's hits: only those of a search in the text belong
    // to the heading being read and go when another heading starts.
    textSearch_ = kind == Kind::Text;
    ctx_.dialogs.messageBox(hitCountText(count), texts.infoCaption, MessageButtons::Ok,
                            MessageIcon::Information);
    if (count > 0) {
      ctx_.menu.setEnabled(cmd::kSearchNext, true);
      if (kind != Kind::Headings) ctx_.markTerm(term, kind == Kind::Text);
    }
  });
  ctx_.menu.redraw();
}

int Search::searchHeadings(const std::string& term) {
  const BookTable& titles = ctx_.tables.title;
  BookTable& hits = ctx_.tables.hit;
  int count = 0;
  std::string lowered;
  for (int row = 0; row < titles.rowCount(); ++row) {
    const std::string_view title = titles.cell(row, TitleCol::Title);
    lowered.clear();
    appendLowerUnicode(title, lowered);
    if (lowered.find(term) == std::string::npos) continue;
    hits.insertRow(hits.rowCount(), titles.cell(row, TitleCol::TreeId));
    entries_.emplace_back(title);
    ++count;
  }
  return count;
}

int Search::searchText(const std::string& term) {
  BusyWhile busy(ctx_.busyNote);
  const BookTable& phrases = ctx_.tables.phrase;
  const int current = phrases.selectionMark();
  HtmlDocument* document = ctx_.textView.document();
  if (document == nullptr || current < 0 || current >= phrases.rowCount()) return 0;
  const int treeId = integerValue(phrases.cell(current, PhraseCol::TreeId));
  const TreeNode node = ctx_.tree.selected();
  const std::string listEntry = node == kNoNode ? std::string() : ctx_.tree.text(node);
  const DocumentText text = documentText(*document);
  int count = 0;
  forEachOccurrence(text, term, phrasesOfDocumentOf(phrases, current), [&](int row) {
    // The document may hold other headings' text too: only the current heading's counts.
    if (integerValue(phrases.cell(row, PhraseCol::TreeId)) == treeId) {
      creditPhrase(row, treeId, term, listEntry, count);
    }
  });
  return count;
}

int Search::searchBook(const std::string& term) {
  BusyWhile busy(ctx_.busyNote);
  const BookTable& phrases = ctx_.tables.phrase;
  int count = 0;
  forEachOccurrenceInBook(
      phrases, term,
      [&](int row) {
        const int treeId = integerValue(phrases.cell(row, PhraseCol::TreeId));
        creditPhrase(row, treeId, term, row == lastHitRow_ ? "" : headingText(treeId), count);
      },
      [&] { ctx_.busyNote.stillBusy(); });
  return count;
}

void Search::creditPhrase(int row, int treeId, const std::string& term, std::string_view listEntry,
                          int& count) {
  ++count;
  if (row == lastHitRow_) return;
  lastHitRow_ = row;
  BookTable& hits = ctx_.tables.hit;
  const std::string treeText = std::to_string(treeId);
  const std::string rowText = std::to_string(row);
  const std::string_view cells[] = {treeText, term, rowText,
                                    ctx_.tables.phrase.cell(row, PhraseCol::Fragment)};
  hits.insertRow(hits.rowCount(), cells);
  entries_.emplace_back(listEntry);
}

// Title rows are numbered by their TreeID; a table that says otherwise is searched.
std::string Search::headingText(int treeId) const {
  const BookTable& titles = ctx_.tables.title;
  if (integerValue(titles.cell(treeId, TitleCol::TreeId)) == treeId &&
      !titles.cell(treeId, TitleCol::TreeId).empty()) {
    return std::string(titles.cell(treeId, TitleCol::Title));
  }
  for (int row = 0; row < titles.rowCount(); ++row) {
    if (integerValue(titles.cell(row, TitleCol::TreeId)) == treeId) {
      return std::string(titles.cell(row, TitleCol::Title));
    }
  }
  return {};
}

void Search::onHitRow(const RowStateChange& change) {
  if (!ctx_.book.open || change.newState != kRowSelected) return;
  handlerRan_ = true;
  goToHit(change.row);
}

void Search::chooseHit(int index) {
  if (!ctx_.book.open || index < 0 || index >= ctx_.tables.hit.rowCount()) return;
  handlerRan_ = false;
  ctx_.tables.hit.select(index);
  if (!handlerRan_) goToHit(index);
}

void Search::goToHit(int row) {
  const BookTable& hits = ctx_.tables.hit;
  const int treeId = integerValue(hits.cell(row, HitCol::TitleId));
  const std::string eventId(hits.cell(row, HitCol::EventId));
  if (!eventId.empty()) ctx_.state.forceSeek = true;
  // The hit's heading comes first, also for a hit of the text: a phrase selected without its
  // heading would not play. The heading being read is not started again.
  selectHeadingByTreeId(ctx_.tree, treeId);
  if (eventId.empty()) return;
  const int phrase = integerValue(eventId);
  if (phrase < 0 || phrase >= ctx_.tables.phrase.rowCount()) return;
  ctx_.state.forceSeek = true;
  ctx_.phrases.startRow(phrase);
}

void Search::nextHit() {
  const int count = ctx_.tables.hit.rowCount();
  const int current = ctx_.tables.hit.selectionMark();
  if (count == 0 || current >= count - 1) return;
  const int target = current < 0 ? 0 : current + 1;
  ctx_.menu.setEnabled(cmd::kSearchPrevious, current >= 0);
  if (target == count - 1) ctx_.menu.setEnabled(cmd::kSearchNext, false);
  moveTo(target);
}

void Search::previousHit() {
  const int current = ctx_.tables.hit.selectionMark();
  if (current < 1 || current >= ctx_.tables.hit.rowCount()) return;
  const int target = current - 1;
  if (target == 0) ctx_.menu.setEnabled(cmd::kSearchPrevious, false);
  ctx_.menu.setEnabled(cmd::kSearchNext, true);
  moveTo(target);
}

void Search::moveTo(int index) {
  ctx_.panel.markEntry(kPanelSearchHits, index);
  chooseHit(index);
  ctx_.menu.redraw();
}

}  // namespace orbis
