#include "library/BookFromList.h"

#include "library/CA_DaisySuche.h"

namespace orbis {

void BookFromList::run() {
  ctx_.session.closeBook();
  const auto root = ctx_.libraryDialogs.chooseDrive(ctx_.drives.drives());
  if (!root) return;
  CA_DaisySuche list(*root, ctx_.dataFolder, ctx_.busyNote, ctx_.dialogs);
  const auto folder = ctx_.libraryDialogs.chooseBook(list);
  if (!folder) return;
  // The reader chose the book by its title: it is not announced.
  ctx_.session.loadBookPath(*folder, {.announce = false, .restorePosition = true});
}

}  // namespace orbis
