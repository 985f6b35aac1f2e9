#include "navigation/Navigator.h"

#include <string>
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

namespace {

// Whether a phrase's text (or, for pages, its par) carries a page's or group's fragment.
bool carries(const BookTable& phrases, int phrase, std::string_view fragment, bool parIdCounts) {
  return phrases.cell(phrase, PhraseCol::TextId) == fragment ||
         (parIdCounts && phrases.cell(phrase, PhraseCol::ParId) == fragment);
}

// The first phrase that carries the fragment, among the phrases of one heading or, with
// treeId -1, among all. A SMIL file that several headings share is read once for each of them,
// so the same fragment stands in every copy; only the heading's own copy is read with it.
int phraseCarrying(const BookTable& phrases, std::string_view fragment, int treeId,
                   bool parIdCounts) {
  for (int phrase = 0; phrase < phrases.rowCount(); ++phrase) {
    if (treeId >= 0 && integerValue(phrases.cell(phrase, PhraseCol::TreeId)) != treeId) continue;
    if (carries(phrases, phrase, fragment, parIdCounts)) return phrase;
  }
  return -1;
}

// Where each page leads, by the rule of a jump to it: the first phrase of the page's heading
// that carries its fragment (by text id or by par id), else the first of any heading; -1 for
// none. Made once, for a whole page table.
class PageTargets {
 public:
  explicit PageTargets(const BookTable& phrases) {
    for (int row = phrases.rowCount() - 1; row >= 0; --row) {
      const std::string_view treeId = phrases.cell(row, PhraseCol::TreeId);
      for (int column : {PhraseCol::TextId, PhraseCol::ParId}) {
        const std::string_view id = phrases.cell(row, column);
        inHeading_[key(treeId, id)] = row;
        anywhere_[id] = row;
      }
    }
  }
  int of(const BookTable& pages, int row) const {
    const std::string_view fragment = pages.cell(row, PageCol::Fragment);
    if (fragment.empty()) return -1;
    auto own = inHeading_.find(key(pages.cell(row, PageCol::TitleId), fragment));
    if (own != inHeading_.end()) return own->second;
    auto any = anywhere_.find(fragment);
    return any != anywhere_.end() ? any->second : -1;
  }

 private:
  static std::string key(std::string_view treeId, std::string_view id) {
    return std::string(treeId) + '#' + std::string(id);
  }
  std::unordered_map<std::string, int> inHeading_;
  std::unordered_map<std::string_view, int> anywhere_;
};

}  // namespace

// A page or group row leads to its heading, then to the heading's first phrase whose text (or,
// for pages, whose par) carries the row's fragment. When only another heading holds such a
// phrase, that heading is taken with it, so that what is heard and what is shown stay together;
// without any such phrase the heading's start stays.
void Navigator::goToTarget(BookTable& table, int row, bool parIdCounts) {
  HeadingsTree& tree = ctx_.tree;
  selectHeadingByTreeId(tree, integerValue(table.cell(row, PageCol::TitleId)));
  const std::string_view fragment = table.cell(row, PageCol::Fragment);
  if (fragment.empty()) return;
  const BookTable& phrases = ctx_.tables.phrase;
  int phrase = phraseCarrying(phrases, fragment, tree.itemData(tree.selected()), parIdCounts);
  if (phrase < 0) phrase = phraseCarrying(phrases, fragment, -1, parIdCounts);
  if (phrase < 0) return;
  selectHeadingByTreeId(tree, integerValue(phrases.cell(phrase, PhraseCol::TreeId)));
  ctx_.state.forceSeek = true;
  ctx_.phrases.startRow(phrase);
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
  // The page being read is the last one that leads to the current phrase or before it.
  const PageTargets targets(phrases);
  int page = -1;
  for (int row = 0; row < pages.rowCount(); ++row) {
    const int target = targets.of(pages, row);
    if (target >= 0 && target <= current) page = row;
  }
  if (page < 0) return;
  pages.setSelectionMark(page);
  pages.setState(page, kRowSelected | kRowFocused, kRowSelected | kRowFocused);
  pages.ensureVisible(page);
  updateStepItems(pages, cmd::kPageNext, cmd::kPagePrevious);
}

}  // namespace orbis
