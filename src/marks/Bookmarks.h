#pragma once
#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "commands/CommandTable.h"
#include "commands/MenuModel.h"
#include "navigation/StructurePanel.h"
#include "playback/PhrasePlayer.h"
#include "playback/PlaybackState.h"
#include "ports/MediaPlayer.h"

namespace orbis {

// What bookmarks work with in the main window.
struct BookmarkContext {
  BookTables& tables;
  HeadingsTree& tree;
  BookRecord& book;
  MenuModel& menu;
  PlaybackState& state;
  MediaPlayer& player;
  PhrasePlayer& phrases;
  StructurePanel& panel;
};

// The reader's bookmarks in the open book: a row of the bookmark table and the entry of the
// same number in the panel's bookmark list, in the order they were set. Setting one keeps the
// heading, the phrase and the place in the audio; visiting one goes back there. The resume
// files keep them from one opening of the book to the next.
class Bookmarks {
 public:
  explicit Bookmarks(BookmarkContext context);
  ~Bookmarks();
  Bookmarks(const Bookmarks&) = delete;
  Bookmarks& operator=(const Bookmarks&) = delete;

  void registerCommands(CommandTable& commands);

  void set();
  void remove();
  void next();
  void previous();
  // The reader chose entry `index` of the list (or next and previous did): it is visited.
  void choose(int index);
  // The bookmark being visited; -1 for none.
  int current() const { return ctx_.tables.bookmark.selectedRow(); }

 private:
  void onRow(const RowStateChange& change);
  void visit(int row);
  void step(int index);

  BookmarkContext ctx_;
  bool visited_ = false;  // the table's handler ran for the row just selected
};

}  // namespace orbis
