#pragma once
#include <string>

namespace orbis {

// Short sound files: interface sounds and the announcement of a newly opened book.
class Sounds {
 public:
  virtual ~Sounds() = default;
  // Plays a whole file; with wait the call returns when the sound is over.
  virtual void play(const std::string& path, bool wait) = 0;
  // Plays a file from its start to untilMs milliseconds and returns when that is over.
  virtual void playUntil(const std::string& path, long untilMs) = 0;
};

}  // namespace orbis
