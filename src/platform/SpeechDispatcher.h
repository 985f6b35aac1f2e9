#pragma once
#include <QObject>
#include <map>
#include <memory>
#include <string>

#include "ports/Speech.h"

namespace orbis {

// The speech port over Speech Dispatcher (libspeechd): the reader's own synthesizer, voice and
// default rate, shared with the screen reader. The player is a client of its own whose
// messages have the priority of text, so that the screen reader's messages interrupt it.
//
// Every call to libspeechd runs on a thread of the port's own, in order, so that neither a
// connection that takes long to come up nor a server that stops answering can hold up the user
// interface. A connection not up within kConnectWaitMs counts as missing (a later success still
// counts). The server's end and cancel events reach the handler on the thread that created the
// port (the Qt main thread).
class SpeechDispatcher : public QObject, public Speech {
 public:
  static constexpr int kConnectWaitMs = 3000;

  // Connects to the server at SPEECHD_ADDRESS or the default one, starting it where it can be.
  explicit SpeechDispatcher(QObject* parent = nullptr);
  ~SpeechDispatcher() override;

  bool available() const override;
  int speak(const std::string& text, const std::string& language) override;
  void pause() override;
  void resume() override;
  // A paused client's messages are cut off by the screen reader's, and a paused client holds
  // back its new messages too: reading cuts off and speaks again instead.
  bool canResume() const override { return false; }
  void cancel() override;
  void setRate(int rate) override;
  void setVolume(int volume) override;

  struct Shared;  // what the port's thread and the server's events share with the port
  // What the port's thread and the server's events report, on the port's thread.
  void deliverConnected(bool up);
  void deliverQueued(int id, long messageId);
  void deliverServerEvent(long messageId, UtteranceEnd how);

 private:
  enum class Link { Connecting, Up, Missing };
  void failWaiting();

  std::shared_ptr<Shared> shared_;
  Link link_ = Link::Connecting;
  int nextId_ = 0;
  int rate_ = 0;
  int volume_ = 0;
  bool paused_ = false;                 // the client is paused in the server
  std::map<long, int> utterances_;      // server message id -> utterance id
  std::map<int, bool> waiting_;         // utterances handed on, their message id not yet known
  std::map<long, UtteranceEnd> early_;  // events that came before their message id
};

}  // namespace orbis
