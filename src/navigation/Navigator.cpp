#include "navigation/Navigator.h"

#include <string_view>
#include <unordered_map>

#include "commands/CommandIds.h"
#include "navigation/HeadingSteps.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"
#include "texts/UiTexts.h"

namespace orbis {

Navigator::Navigator(NavigationContext context) : ctx_(context) {
  ctx_.tables.title.setListener(
      [this](BookTable&, const RowStateChange& change) { onTitleRow(change); });
  ctx_.tables.page.setListener(
      [this](BookTable& table, const RowStateChange& change) { onTargetRow(table, change, true); });
  ctx_.tables.group.setListener([this](BookTable& table, const RowStateChange& change) {
    onTargetRow(table, change, false);
  });
  ctx_.panel.groupChosen = [this](int index) { chooseGroup(index); };
}

Navigator::~Navigator() {
  ctx_.tables.title.setListener(nullptr);
  ctx_.tables.page.setListener(nullptr);
  ctx_.tables.group.setListener(nullptr);
  ctx_.panel.groupChosen = nullptr;
}

void Navigator::registerCommands(CommandTable& commands) {
  using namespace cmd;
  commands.add({kPhraseForward, ctl::kButtonNextPhrase}, [this] { phraseForward(); });
  commands.add({kPhraseBackward, ctl::kButtonPreviousPhrase}, [this] { phraseBackward(); });
  commands.add(ctl::kButtonNextLevel, [this] { nextHeading(); });
  commands.add(ctl::kButtonPreviousLevel, [this] { previousHeading(); });
  commands.add(kSwitchToTree, [this] { switchToHeadings(); });
  commands.add(kSwitchToText, [this] { switchToText(); });
  commands.add(ctl::kButtonLevels, [this] { showHeadings(); });
  for (int id : {kSkipFootnotes, kSkipSidebars, kSkipProdNotes, kSkipPageNumbers}) {
    commands.add(id, [this, id] { toggleSkip(id); });
  }
  commands.add(kGroupNext, [this] { nextGroup(); });
  commands.add(kGroupPrevious, [this] { previousGroup(); });
  commands.add({kPageNext, ctl::kButtonNextPage}, [this] { nextPage(); });
  commands.add({kPagePrevious, ctl::kButtonPreviousPage}, [this] { previousPage(); });
  commands.add(kPageGoto, [this] { goToPage(); });
}

void Navigator::phraseForward() {
  ctx_.state.forceSeek = true;
  ctx_.phrases.nextPhraseInTitle();
}

void Navigator::phraseBackward() {
  ctx_.state.forceSeek = true;
  ctx_.phrases.previousPhraseInTitle();
}

void Navigator::nextHeading() {
  orbis::nextHeading(ctx_.tree);
}

void Navigator::previousHeading() {
  orbis::previousHeading(ctx_.tree);
}

void Navigator::switchToHeadings() {
  navigationFocus_ = true;
  textFocus_ = false;
  showHeadings();
}

void Navigator::switchToText() {
  navigationFocus_ = false;
  textFocus_ = true;
  ctx_.main.focusControl(ctl::kTextView);
}

void Navigator::showHeadings() {
  if (ctx_.tree.empty()) return;
  if (ctx_.settings.TreeVisible) {
    ctx_.main.focusControl(ctl::kTree);
  } else {
    ctx_.panel.open(kPanelHeadings);
  }
}

// The check mark and the flag always agree: the toggle flips both.
void Navigator::toggleSkip(int commandId) {
  PlaybackState& state = ctx_.state;
  bool& flag = commandId == cmd::kSkipFootnotes   ? state.skipFootnotes
               : commandId == cmd::kSkipSidebars  ? state.skipSidebars
               : commandId == cmd::kSkipProdNotes ? state.skipProducerNotes
                                                  : state.skipPageNumbers;
  flag = !ctx_.menu.isChecked(commandId);
  ctx_.menu.setChecked(commandId, flag);
  ctx_.menu.redraw();
}

void Navigator::onTitleRow(const RowStateChange& change) {
  if (ctx_.book.open && (change.newState & kRowSelected)) {
    ctx_.tables.title.setSelectionMark(change.row);
  }
}

// Only a row that becomes exactly "selected" moves the reader: the phrase player marks the page
// it reads as selected and focused, and that must not move anything.
void Navigator::onTargetRow(BookTable& table, const RowStateChange& change, bool parIdCounts) {
  if (!ctx_.book.open || change.newState != kRowSelected) return;
  handlerRan_ = true;
  goToTarget(table, table.selectionMark(), parIdCounts);
}

void Navigator::selectAndRun(BookTable& table, int row, bool parIdCounts) {
  handlerRan_ = false;
  table.select(row);
  if (!handlerRan_ && ctx_.book.open) goToTarget(table, row, parIdCounts);
}

// A page or group row leads to its heading, then to the first phrase whose text (or, for pages,
// whose par) carries the row's fragment; without such a phrase the heading's start stays.
void Navigator::goToTarget(BookTable& table, int row, bool parIdCounts) {
  selectHeadingByTreeId(ctx_.tree, integerValue(table.cell(row, PageCol::TitleId)));
  const std::string_view fragment = table.cell(row, PageCol::Fragment);
  if (fragment.empty()) return;
  const BookTable& phrases = ctx_.tables.phrase;
  for (int phrase = 0; phrase < phrases.rowCount(); ++phrase) {
    if (phrases.cell(phrase, PhraseCol::TextId) == fragment ||
        (parIdCounts && phrases.cell(phrase, PhraseCol::ParId) == fragment)) {
      ctx_.state.forceSeek = true;
      ctx_.phrases.startRow(phrase);
      return;
    }
  }
}

void Navigator::chooseGroup(int index) {
  BookTable& groups = ctx_.tables.group;
  if (!ctx_.book.open || index < 0 || index >= groups.rowCount()) return;
  // A reader who came by N stays in the panel to choose again; otherwise the choice leads
  // back to the text.
  if (!navigationFocus_) ctx_.panel.dismiss();
  selectAndRun(groups, index, false);
  updateStepItems(groups, cmd::kGroupNext, cmd::kGroupPrevious);
}

void Navigator::stepPage(int delta) {
  step(ctx_.tables.page, delta, true, cmd::kPageNext, cmd::kPagePrevious);
}

void Navigator::stepGroup(int delta) {
  BookTable& groups = ctx_.tables.group;
  if (step(groups, delta, false, cmd::kGroupNext, cmd::kGroupPrevious)) {
    ctx_.panel.markEntry(kPanelGroups, groups.selectionMark());
  }
}

// Steps through pages or groups: paused while the reader is moved, then reading from the new
// place. At either end nothing moves and nothing pauses.
bool Navigator::step(BookTable& table, int delta, bool parIdCounts, int nextId, int previousId) {
  const int target = table.selectionMark() + delta;
  if (!ctx_.book.open || target < 0 || target >= table.rowCount()) return false;
  ctx_.player.pause();
  ctx_.state.forceSeek = true;
  selectAndRun(table, target, parIdCounts);
  ctx_.player.play();
  updateStepItems(table, nextId, previousId);
  return true;
}

void Navigator::updateStepItems(const BookTable& table, int nextId, int previousId) {
  ctx_.menu.enableSteps(previousId, nextId, table.selectionMark(), table.rowCount());
  ctx_.menu.redraw();
}

void Navigator::goToPage() {
  if (!ctx_.book.open) return;
  const bool resume = ctx_.audio.beginModal();
  const UiTexts& texts = uiTexts();
  const std::optional<std::string> label =
      ctx_.dialogs.askText(texts.gotoPageCaption, texts.gotoPagePrompt, 0);
  if (!label) return;  // cancelled: reading stays paused
  BookTable& pages = ctx_.tables.page;
  for (int row = 0; row < pages.rowCount(); ++row) {
    if (pages.cell(row, PageCol::Label) != *label) continue;
    ctx_.state.forceSeek = true;
    selectAndRun(pages, row, true);
    ctx_.player.play();
    updateStepItems(pages, cmd::kPageNext, cmd::kPagePrevious);
    return;
  }
  ctx_.dialogs.messageBox(texts.pageNotFound, texts.pageNotFoundCaption, MessageButtons::Ok,
                          MessageIcon::Warning);
  ctx_.audio.endModal(resume);
}

void Navigator::markPageOfCurrentPhrase() {
  BookTable& pages = ctx_.tables.page;
  const BookTable& phrases = ctx_.tables.phrase;
  const int current = phrases.selectionMark();
  if (pages.rowCount() == 0 || current < 0) return;
  // The first phrase that each fragment starts, by text id and by par id.
  std::unordered_map<std::string_view, int> firstRow;
  for (int row = 0; row <= current && row < phrases.rowCount(); ++row) {
    firstRow.emplace(phrases.cell(row, PhraseCol::TextId), row);
    firstRow.emplace(phrases.cell(row, PhraseCol::ParId), row);
  }
  int page = -1;
  for (int row = 0; row < pages.rowCount(); ++row) {
    const std::string_view fragment = pages.cell(row, PageCol::Fragment);
    if (fragment.empty()) continue;
    auto found = firstRow.find(fragment);
    if (found != firstRow.end() && found->second <= current) page = row;
  }
  if (page < 0) return;
  pages.setSelectionMark(page);
  pages.setState(page, kRowSelected | kRowFocused, kRowSelected | kRowFocused);
  pages.ensureVisible(page);
  updateStepItems(pages, cmd::kPageNext, cmd::kPagePrevious);
}

}  // namespace orbis
