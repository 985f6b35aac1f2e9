#pragma once
#include <string>

#include "commands/CommandTable.h"
#include "ports/TextView.h"

namespace orbis {

// The size of the text view's text for readers with low vision: larger and smaller in the
// steps a browser offers, from 50 to 400 percent, and back to normal. The size is the reader's
// own, not the book's: it is kept in a small file of the data folder of its own and comes back
// with the next start.
class TextZoom {
 public:
  static constexpr int kNormal = 100;
  static constexpr int kSmallest = 50;
  static constexpr int kLargest = 400;

  // settingsPath: the file that keeps the size ("ReaderPreferences.ini" in the data folder).
  TextZoom(TextView& view, std::string settingsPath)
      : view_(view), path_(std::move(settingsPath)) {}

  void registerCommands(CommandTable& commands);
  // Shows the text at the size kept from the last session; normal size without one.
  void restore();
  void enlarge();
  void shrink();
  void reset();
  int percent() const { return percent_; }

 private:
  void set(int percent);

  TextView& view_;
  std::string path_;
  int percent_ = kNormal;
};

}  // namespace orbis
