#pragma once
#include <string>

#include "playback/PlaybackEnv.h"

namespace orbis {

// Where reading stopped in every book, and every book's bookmarks, in two files of the data
// folder shared by all books: "AResume.dl" (one position per book) and "MResume.dl" (the
// bookmarks). Saving runs while the book is still loaded, loading after the new book's tables
// are filled. No file problem is ever reported, and none keeps a book from opening.
class ResumePositions {
 public:
  explicit ResumePositions(PlaybackEnv env) : env_(env) {}

  std::string positionFile() const { return env_.dataFolder + "AResume.dl"; }
  std::string bookmarkFile() const { return env_.dataFolder + "MResume.dl"; }

  // Pauses the player and stores its position and the phrase being read.
  void savePosition();
  // Stores the bookmark table; a book without bookmarks loses its old records.
  void saveBookmarks();
  // Fills the bookmark table (and the structure panel's list) with the book's stored bookmarks.
  void loadBookmarks();
  // Moves the reader to the stored position, or to the first phrase, and gives the focus to
  // the control the settings choose.
  void restorePosition();

 private:
  bool restoreStored();
  void startFromBeginning();
  void showDocumentOf(int row);
  void focusStartControl();

  PlaybackEnv env_;
};

}  // namespace orbis
