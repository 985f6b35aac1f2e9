#pragma once
#include <optional>
#include <string>
#include <vector>

#include "library/BookListFile.h"
#include "ports/BusyNote.h"
#include "ports/Dialogs.h"

namespace orbis {

// The book list of one drive ("DAISY suchen..."): the titles of the books found on it, kept
// between runs in the drive's book list file and built anew on request. Two lists whose
// indexes correspond: the titles the reader sees and the book folders behind them; entry 0 of
// the titles offers to build the list.
class CA_DaisySuche {
 public:
  CA_DaisySuche(std::string driveRoot, const std::string& dataFolder, BusyNote& busyNote,
                Dialogs& dialogs);

  // Fills both lists from the book list file, once; books that are gone are left out.
  void firstPaint();
  const std::vector<std::string>& titles() const { return titles_; }    // list 1015
  const std::vector<std::string>& folders() const { return folders_; }  // list 1020
  int selected() const { return selected_; }
  void select(int index);
  // OK: on a title its book folder (ending in "/"). On entry 0 the drive is scanned and the
  // list rebuilt and saved; nothing is returned and the dialog stays open.
  std::optional<std::string> ok();
  const std::string& driveRoot() const { return root_; }

 private:
  void reset();
  // Appends the title of each folder whose NCC can be read; the others are left out.
  void addBooks(const std::vector<std::string>& folders, const std::string& untitled);
  void scan();

  std::string root_;
  BookListFile file_;
  BusyNote& busyNote_;
  Dialogs& dialogs_;
  bool painted_ = false;
  std::vector<std::string> titles_;
  std::vector<std::string> folders_;
  int selected_ = 0;
};

}  // namespace orbis
