#pragma once
#include "ports/Speech.h"

namespace orbis::testing {

// A speech port for rigs that give the reading no text to speak: it is there, and anything it
// is asked to say never ends.
class IdleSpeech : public Speech {
 public:
  bool available() const override { return true; }
  int speak(const std::string&, const std::string&) override { return ++utterances_; }
  void pause() override {}
  void resume() override {}
  void cancel() override {}
  void setRate(int) override {}
  void setVolume(int) override {}
  int utterances() const { return utterances_; }

 private:
  int utterances_ = 0;
};

}  // namespace orbis::testing
