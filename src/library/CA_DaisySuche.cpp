#include "library/CA_DaisySuche.h"

#include "book/BookLoader.h"
#include "library/BookScan.h"
#include "library/NccTitle.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {
constexpr const char* kNoPath = "kein Pfad";
}

CA_DaisySuche::CA_DaisySuche(std::string driveRoot, const std::string& dataFolder,
                             BusyNote& busyNote, Dialogs& dialogs)
    : root_(std::move(driveRoot)),
      file_(dataFolder, root_),
      busyNote_(busyNote),
      dialogs_(dialogs) {
  reset();
}

void CA_DaisySuche::reset() {
  titles_ = {uiTexts().createListQuestion};
  folders_ = {kNoPath};
  selected_ = 0;
}

void CA_DaisySuche::firstPaint() {
  if (painted_) return;
  painted_ = true;
  const auto stored = file_.read();
  if (!stored) return;
  addBooks(*stored, uiTexts().withoutTitle);
  select(1);
}

void CA_DaisySuche::select(int index) {
  if (index >= 0 && index < static_cast<int>(titles_.size())) selected_ = index;
}

void CA_DaisySuche::addBooks(const std::vector<std::string>& folders, const std::string& untitled) {
  for (const std::string& folder : folders) {
    const auto title = readNccTitle(folder + "/");
    if (!title) continue;  // the book is gone
    titles_.push_back(title->empty() ? untitled : *title);
    folders_.push_back(folder);
  }
}

std::optional<std::string> CA_DaisySuche::ok() {
  if (selected_ > 0) return folders_[selected_] + "/";
  scan();
  return std::nullopt;
}

void CA_DaisySuche::scan() {
  busyNote_.show(uiTexts().searchRunning);
  reset();
  const std::vector<std::string> found = BookScan([this] { busyNote_.stillBusy(); }).run(root_);
  addBooks(found, uiTexts().withoutTitleShort);
  // A list that cannot be saved is still shown; the next scan tries again.
  file_.write(std::vector<std::string>(folders_.begin() + 1, folders_.end()));
  select(1);
  busyNote_.close();
  const int books = static_cast<int>(folders_.size()) - 1;
  const std::string message =
      books == 1 ? uiTexts().oneBookFound : formatCounts(uiTexts().booksFound, books, 0);
  dialogs_.messageBox(message, uiTexts().infoCaption, MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace orbis
