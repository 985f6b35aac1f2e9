#pragma once
#include "library/BookSession.h"
#include "ports/BusyNote.h"
#include "ports/Dialogs.h"
#include "ports/Drives.h"
#include "ports/LibraryDialogs.h"

namespace orbis {

// "Von Liste" (O): a drive, then a book from that drive's book list, opened where reading
// stopped. The open book is closed first; a cancelled dialog leaves no book open.
class BookFromList {
 public:
  struct Context {
    BookSession& session;
    Drives& drives;
    LibraryDialogs& libraryDialogs;
    BusyNote& busyNote;
    Dialogs& dialogs;
    std::string dataFolder;
  };
  explicit BookFromList(Context context) : ctx_(std::move(context)) {}
  void run();

 private:
  Context ctx_;
};

}  // namespace orbis
