#pragma once
#include <functional>
#include <string>

namespace orbis {

// How an utterance came to its end.
enum class UtteranceEnd {
  Ended,        // spoken to its end
  Cancelled,    // cut off: by cancel(), or by the speech of another program
  Unavailable,  // it could not be spoken: there is no synthesizer to speak it
};

// The reader's own speech synthesizer. Utterances are spoken one after another; each speak()
// answers an id that its end notification carries again. Notifications arrive on the
// user-interface thread, never from inside a call of this interface. No call waits for the
// synthesizer: a port that is still connecting queues what it is asked and, when the connection
// fails, ends the utterance with Unavailable.
class Speech {
 public:
  virtual ~Speech() = default;

  // False once it is known that there is no synthesizer; true while it is still being reached.
  virtual bool available() const = 0;
  // Speaks text in the language given as an RFC 5646 tag ("de", "en-GB"); an empty language or
  // one the synthesizer has no voice for is spoken in the reader's default language.
  virtual int speak(const std::string& text, const std::string& language) = 0;
  // Pause keeps the utterance to go on with; resume goes on where it stopped.
  virtual void pause() = 0;
  virtual void resume() = 0;
  // False where pausing cannot be relied on to go on where it stopped: the program then cuts
  // the utterance off and speaks it again from its start.
  virtual bool canResume() const { return true; }
  // Ends the utterance being spoken, and any that waits, with Cancelled.
  virtual void cancel() = 0;
  // -100..100 each, 0 being the reader's default; values outside are clamped.
  virtual void setRate(int rate) = 0;
  virtual void setVolume(int volume) = 0;

  void onUtteranceEnd(std::function<void(int id, UtteranceEnd how)> handler) {
    endHandler_ = std::move(handler);
  }

 protected:
  void notifyUtteranceEnd(int id, UtteranceEnd how) {
    if (endHandler_) endHandler_(id, how);
  }

 private:
  std::function<void(int, UtteranceEnd)> endHandler_;
};

}  // namespace orbis
