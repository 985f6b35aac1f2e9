#include "library/VolumeChange.h"

#include "book/BookLoader.h"
#include "library/DaisyLoad.h"
#include "playback/DecimalText.h"
#include "playback/SelectHeading.h"
#include "texts/UiTexts.h"

namespace orbis {

VolumeIdentity VolumeIdentity::of(const BookMetadata& m) {
  return {m.date, m.identifier, m.title, m.tocItems, m.totalTime, m.setInfo};
}

bool VolumeIdentity::isOtherVolumeOf(const VolumeIdentity& book) const {
  return date == book.date && identifier == book.identifier && title == book.title &&
         tocItems == book.tocItems && totalTime == book.totalTime && setInfo != book.setInfo;
}

std::string VolumeChange::parentFolder(const std::string& bookFolder) {
  std::string folder = bookFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const size_t slash = folder.rfind('/');
  if (slash == std::string::npos) return bookFolder;
  return folder.substr(0, slash + 1);
}

void VolumeChange::run() {
  // Taken before closing: the book record changes only when another book loads, the heading
  // is gone with the tables.
  const VolumeIdentity identity = VolumeIdentity::of(book_.metadata);
  const int row = tables_.phrase.selectionMark();
  const int heading =
      row >= 0 && row < tables_.phrase.rowCount()
          ? static_cast<int>(decimalValue(tables_.phrase.cell(row, PhraseCol::TreeId)))
          : 0;
  std::string folder = book_.folder;
  session_.closeBook();
  for (;;) {
    switch (choose(identity, folder)) {
      case Choice::Load:
        load(folder, heading);
        return;
      case Choice::Back:
        session_.lastBookCommand();
        return;
      case Choice::Retry:
        break;
    }
  }
}

VolumeChange::Choice VolumeChange::choose(const VolumeIdentity& identity, std::string& folder) {
  const auto chosen =
      dialogs_.openFile(uiTexts().browseForBook, bookFilter(), parentFolder(folder));
  if (!chosen) return Choice::Back;
  // Whatever the file is called ("NCC.HTML" on many CDs), the book is the folder holding it.
  const size_t slash = chosen->rfind('/');
  folder = slash == std::string::npos ? std::string("./") : chosen->substr(0, slash + 1);
  const auto metadata = BookLoader::readMetadata(folder, dialogs_, currentLoaderTexts());
  if (metadata && VolumeIdentity::of(*metadata).isOtherVolumeOf(identity)) return Choice::Load;
  switch (dialogs_.messageBox(uiTexts().titleNotInBook, uiTexts().changeVolumeCaption,
                              MessageButtons::AbortRetryIgnore, MessageIcon::Warning)) {
    case MessageAnswer::Retry:
      return Choice::Retry;
    case MessageAnswer::Ignore:
      return Choice::Load;
    default:
      return Choice::Back;
  }
}

void VolumeChange::load(const std::string& folder, int heading) {
  if (!session_.loadBook(folder, {.announce = false, .restorePosition = false})) return;
  // A fresh selection, so that the heading starts even when the loader left it selected.
  tree_.select(kNoNode);
  selectHeadingByTreeId(tree_, heading);
}

}  // namespace orbis
