#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ports/Speech.h"
#include "support/ManualClock.h"

namespace orbis::testing {

// The speech port on the manual clock: an utterance lasts kMsPerCharacter for each character
// of its text at rate 0, shorter at a higher rate and longer at a lower one (twice as fast at
// 100, half as fast at -50). Pause holds the time left, resume goes on with it. Every end is
// reported on a later tick of the clock, never inside a call. Without a synthesizer every
// utterance ends as Unavailable.
class SimulatedSpeech : public Speech {
 public:
  static constexpr int kMsPerCharacter = 50;
  struct Utterance {
    int id;
    std::string text;
    std::string language;
    int rate;
    int volume;
  };

  explicit SimulatedSpeech(ManualClock& clock);
  ~SimulatedSpeech() override;
  SimulatedSpeech(const SimulatedSpeech&) = delete;
  SimulatedSpeech& operator=(const SimulatedSpeech&) = delete;

  void setAvailable(bool available) { available_ = available; }
  void setCanResume(bool canResume) { canResume_ = canResume; }
  bool canResume() const override { return canResume_; }
  // Another program's speech cuts off the utterance being spoken.
  void interrupt();

  bool available() const override { return available_; }
  int speak(const std::string& text, const std::string& language) override;
  void pause() override;
  void resume() override;
  void cancel() override;
  void setRate(int rate) override { rate_ = rate; }
  void setVolume(int volume) override { volume_ = volume; }

  const std::vector<Utterance>& spoken() const { return spoken_; }
  std::vector<std::string> spokenTexts() const;
  // An utterance is being heard (not paused, not ended).
  bool speaking() const { return current_ != 0 && !paused_; }
  bool paused() const { return current_ != 0 && paused_; }
  int pauses() const { return pauses_; }

 private:
  void onTick(std::int64_t now);
  void endCurrent(UtteranceEnd how);

  ManualClock& clock_;
  int listener_ = 0;
  bool available_ = true;
  bool canResume_ = true;
  int nextId_ = 0;
  int rate_ = 0;
  int volume_ = 0;
  int current_ = 0;
  bool paused_ = false;
  int pauses_ = 0;
  std::int64_t endsAt_ = 0;
  std::int64_t leftMs_ = 0;  // while paused
  std::vector<Utterance> spoken_;
  std::vector<std::pair<int, UtteranceEnd>> toReport_;
};

}  // namespace orbis::testing
