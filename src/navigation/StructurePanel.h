#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "book/HeadingsTree.h"
#include "playback/AudioControls.h"
#include "ports/MainView.h"
#include "ports/PanelView.h"
#include "ports/Sounds.h"

namespace orbis {

// What the structure panel shows; the numbers are the modes its controls carry.
enum PanelMode : int {
  kPanelNone = 0,
  kPanelVolume = 1,
  kPanelHeadings = 2,
  kPanelGroups = 3,
  kPanelBookmarks = 4,
  kPanelSearchHits = 5,
  kPanelSpeed = 6,
};

// What the panel works with in the main window.
struct PanelContext {
  PanelView& view;
  MainView& main;  // focus and visibility of the main window's controls
  HeadingsTree& tree;
  AudioControls& audio;
  Sounds& sounds;
  std::string programFolder;  // ends in "/"
};

// The structure panel: a pop-up beside the main window that shows the headings tree, the group,
// bookmark or search-hit list, or the volume or speed slider, one at a time. It opens at the
// button that asked for it with reading paused, and Escape gives the focus back and lets the
// reading go on. The three lists are kept here, entry i standing for row i of their book table;
// the view only shows them.
class StructurePanel {
 public:
  explicit StructurePanel(PanelContext context);

  // Opens a mode as its button does. An empty tree or list does not open: reading stays paused.
  void open(int mode);
  int mode() const { return mode_; }
  bool isShown() const { return context_.view.isShown(); }

  // Keys in the panel.
  void escape();
  void leaveTreeForText();  // F6 in the headings tree
  // The reader's choice took them back to the text: the panel goes, reading stays as it is.
  void dismiss();
  void pauseContinue() { context_.audio.pauseContinue(); }

  // The reader chose a list entry (moved onto it, pressed Enter or clicked it). The entry's
  // handler runs every time, even for the entry already chosen.
  void choose(int mode, int index);
  std::function<void(int index)> groupChosen;
  std::function<void(int index)> bookmarkChosen;
  std::function<void(int index)> hitChosen;

  // The lists. Entries are appended in table order, never sorted.
  void setEntries(int mode, std::vector<std::string> entries);
  int append(int mode, std::string entry);
  void removeEntry(int mode, int index);
  void clearLists();
  int entryCount(int mode) const;
  // Marks the entry standing for the current row without running its handler.
  void markEntry(int mode, int index);

  // The button that opens a mode; 0 for none.
  static int buttonOf(int mode);

 private:
  std::vector<std::string>* list(int mode);
  const std::vector<std::string>* list(int mode) const;
  std::string captionOf(int mode) const;
  void returnFocus();

  PanelContext context_;
  int mode_ = kPanelNone;
  int savedFocus_ = -1;
  std::array<std::vector<std::string>, 3> lists_;  // groups, bookmarks, search hits
};

}  // namespace orbis
