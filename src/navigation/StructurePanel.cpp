#include "navigation/StructurePanel.h"

#include "commands/CommandIds.h"
#include "sounds/InterfaceSounds.h"
#include "texts/UiTexts.h"

namespace orbis {

StructurePanel::StructurePanel(PanelContext context) : context_(std::move(context)) {}

int StructurePanel::buttonOf(int mode) {
  switch (mode) {
    case kPanelVolume:
      return ctl::kButtonVolume;
    case kPanelHeadings:
      return ctl::kButtonLevels;
    case kPanelGroups:
      return ctl::kButtonGroups;
    case kPanelBookmarks:
      return ctl::kButtonBookmarks;
    case kPanelSearchHits:
      return ctl::kButtonSearch;
    case kPanelSpeed:
      return ctl::kButtonSpeed;
    default:
      return 0;
  }
}

std::vector<std::string>* StructurePanel::list(int mode) {
  if (mode < kPanelGroups || mode > kPanelSearchHits) return nullptr;
  return &lists_[mode - kPanelGroups];
}

const std::vector<std::string>* StructurePanel::list(int mode) const {
  return const_cast<StructurePanel*>(this)->list(mode);
}

std::string StructurePanel::captionOf(int mode) const {
  const UiTexts& texts = uiTexts();
  switch (mode) {
    case kPanelHeadings:
      return texts.labelHeadings;
    case kPanelGroups:
      return texts.panelGroups;
    case kPanelBookmarks:
      return texts.panelBookmarks;
    case kPanelSearchHits:
      return texts.panelSearches;
    default:
      return {};  // the sliders are named by their own labels
  }
}

void StructurePanel::open(int mode) {
  const int button = buttonOf(mode);
  if (button == 0) return;
  if (mode == kPanelHeadings && context_.tree.empty()) return;
  context_.audio.pauseForPopup();
  savedFocus_ = context_.main.focusedControl();
  if (const auto* entries = list(mode); entries && entries->empty()) {
    // Nothing to show: reading stays paused, and no later closing of a menu may start it.
    context_.audio.forgetResumeAfterPopup();
    return;
  }
  mode_ = mode;
  // A slider opens where the player is now, whatever changed it since.
  if (mode == kPanelVolume || mode == kPanelSpeed) context_.audio.refresh();
  context_.view.show(mode, captionOf(mode), button);
}

void StructurePanel::escape() {
  returnFocus();
  context_.view.hide();
  context_.audio.onPopupClosed();
}

// The focus goes back where the reader was; a window that has since been hidden cannot take it,
// so then the mode's button and, with the buttons hidden as well, the text view.
void StructurePanel::returnFocus() {
  MainView& main = context_.main;
  const int button = buttonOf(mode_);
  int target = ctl::kTextView;
  if (savedFocus_ > 0 && main.controlVisible(savedFocus_)) {
    target = savedFocus_;
  } else if (button != 0 && main.controlVisible(button)) {
    target = button;
  }
  main.focusControl(target);
}

void StructurePanel::leaveTreeForText() {
  if (mode_ != kPanelHeadings) return;
  // The sound ends before the focus moves, so a screen reader does not talk over it.
  InterfaceSounds(context_.sounds, context_.programFolder).play("MainWindow.wav", true);
  dismiss();
}

// Reading stays as it is: a heading chosen meanwhile plays, a paused book stays paused.
void StructurePanel::dismiss() {
  if (context_.view.isShown()) context_.view.hide();
  context_.main.focusControl(ctl::kTextView);
  context_.audio.forgetResumeAfterPopup();
}

void StructurePanel::choose(int mode, int index) {
  const auto* entries = list(mode);
  if (!entries || index < 0 || index >= static_cast<int>(entries->size())) return;
  const auto& handler = mode == kPanelGroups      ? groupChosen
                        : mode == kPanelBookmarks ? bookmarkChosen
                                                  : hitChosen;
  if (handler) handler(index);
}

void StructurePanel::setEntries(int mode, std::vector<std::string> entries) {
  auto* target = list(mode);
  if (!target) return;
  *target = std::move(entries);
  context_.view.setEntries(mode, *target);
}

int StructurePanel::append(int mode, std::string entry) {
  auto* target = list(mode);
  if (!target) return -1;
  target->push_back(std::move(entry));
  context_.view.setEntries(mode, *target);
  return static_cast<int>(target->size()) - 1;
}

void StructurePanel::removeEntry(int mode, int index) {
  auto* target = list(mode);
  if (!target || index < 0 || index >= static_cast<int>(target->size())) return;
  target->erase(target->begin() + index);
  context_.view.setEntries(mode, *target);
}

void StructurePanel::clearLists() {
  for (int mode : {kPanelGroups, kPanelBookmarks, kPanelSearchHits}) setEntries(mode, {});
}

int StructurePanel::entryCount(int mode) const {
  const auto* entries = list(mode);
  return entries ? static_cast<int>(entries->size()) : 0;
}

void StructurePanel::markEntry(int mode, int index) {
  if (list(mode)) context_.view.markEntry(mode, index);
}

}  // namespace orbis
