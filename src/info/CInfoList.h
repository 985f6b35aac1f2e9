#pragma once
#include <string>

#include "ports/Dialogs.h"
#include "texts/UiTexts.h"

namespace orbis {

enum class InfoListMode { Book, Title };

// The information list dialog's content: the mode names the list, the info text holds its rows
// as lines "label|value\n", in the order they are shown.
class CInfoList {
 public:
  explicit CInfoList(InfoListMode mode = InfoListMode::Book) : mode_(mode) {}

  InfoListMode mode() const { return mode_; }
  const std::string& infoText() const { return infoText_; }
  void addLine(const std::string& label, const std::string& value);

  // What the dialog shows: its caption (also the list's label), the two column headings and a
  // row for every complete line of the info text, split at the line's first "|".
  InfoListContent content(const UiTexts& texts) const;

 private:
  InfoListMode mode_;
  std::string infoText_;
};

}  // namespace orbis
