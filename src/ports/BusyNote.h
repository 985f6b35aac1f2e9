#pragma once
#include <string>

namespace orbis {

// A note that stays on screen, without buttons, while long work runs inside a command (a
// search through the book). The reader cannot act meanwhile; a screen reader must still hear
// why nothing answers. show() returns once the note is on screen; close() takes it away.
// The work calls stillBusy() between its steps: the note is then redrawn and the screen reader
// told of it, which cannot happen while the work holds the thread. No input is handled there.
class BusyNote {
 public:
  virtual ~BusyNote() = default;
  virtual void show(const std::string& text) = 0;
  virtual void stillBusy() = 0;
  virtual void close() = 0;
};

}  // namespace orbis
