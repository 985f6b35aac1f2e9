#include "support/SimulatedSpeech.h"

#include <algorithm>

namespace orbis::testing {

SimulatedSpeech::SimulatedSpeech(ManualClock& clock) : clock_(clock) {
  listener_ = clock_.addTickListener([this](std::int64_t now) { onTick(now); });
}

SimulatedSpeech::~SimulatedSpeech() {
  clock_.removeTickListener(listener_);
}

int SimulatedSpeech::speak(const std::string& text, const std::string& language) {
  const int id = ++nextId_;
  spoken_.push_back({id, text, language, rate_, volume_});
  if (!available_) {
    toReport_.emplace_back(id, UtteranceEnd::Unavailable);
    return id;
  }
  // Utterances queue: a new one while another is heard is not what the program does.
  if (current_ != 0) endCurrent(UtteranceEnd::Cancelled);
  const double speed = std::max(10, 100 + std::clamp(rate_, -100, 100)) / 100.0;
  current_ = id;
  paused_ = false;
  endsAt_ = clock_.nowMs() +
            static_cast<std::int64_t>(static_cast<double>(text.size()) * kMsPerCharacter / speed);
  return id;
}

void SimulatedSpeech::pause() {
  if (current_ == 0 || paused_) return;
  paused_ = true;
  ++pauses_;
  leftMs_ = std::max<std::int64_t>(0, endsAt_ - clock_.nowMs());
}

void SimulatedSpeech::resume() {
  if (current_ == 0 || !paused_) return;
  paused_ = false;
  endsAt_ = clock_.nowMs() + leftMs_;
}

void SimulatedSpeech::cancel() {
  if (current_ != 0) endCurrent(UtteranceEnd::Cancelled);
}

void SimulatedSpeech::interrupt() {
  cancel();
}

std::vector<std::string> SimulatedSpeech::spokenTexts() const {
  std::vector<std::string> texts;
  for (const Utterance& u : spoken_) texts.push_back(u.text);
  return texts;
}

void SimulatedSpeech::endCurrent(UtteranceEnd how) {
  toReport_.emplace_back(current_, how);
  current_ = 0;
  paused_ = false;
}

void SimulatedSpeech::onTick(std::int64_t now) {
  if (current_ != 0 && !paused_ && now >= endsAt_) endCurrent(UtteranceEnd::Ended);
  // Reported one at a time from a copy: a handler may speak again, which adds to the list.
  while (!toReport_.empty()) {
    const auto [id, how] = toReport_.front();
    toReport_.erase(toReport_.begin());
    notifyUtteranceEnd(id, how);
  }
}

}  // namespace orbis::testing
