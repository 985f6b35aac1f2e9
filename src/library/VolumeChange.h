#pragma once
#include <string>

#include "book/BookRecord.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "library/BookSession.h"
#include "ports/Dialogs.h"

namespace orbis {

// The fields that tell one book from another; the set info tells its volumes apart.
struct VolumeIdentity {
  std::string date, identifier, title, tocItems, totalTime, setInfo;
  static VolumeIdentity of(const BookMetadata& metadata);
  // Another volume of this book: equal in everything but the set info.
  bool isOtherVolumeOf(const VolumeIdentity& book) const;
};

// "Wechseln" (Alt+W): opens another volume of the book being read - the next CD of a set - and
// goes on at the heading that was being read. A volume of another book is opened only when the
// reader insists.
class VolumeChange {
 public:
  VolumeChange(BookSession& session, BookRecord& book, BookTables& tables, HeadingsTree& tree,
               Dialogs& dialogs)
      : session_(session), book_(book), tables_(tables), tree_(tree), dialogs_(dialogs) {}

  void run();

  // Where the file dialog starts for a book folder: the folder that holds it.
  static std::string parentFolder(const std::string& bookFolder);

 private:
  enum class Choice { Load, Retry, Back };
  Choice choose(const VolumeIdentity& identity, std::string& folder);
  void load(const std::string& folder, int heading);

  BookSession& session_;
  BookRecord& book_;
  BookTables& tables_;
  HeadingsTree& tree_;
  Dialogs& dialogs_;
};

}  // namespace orbis
