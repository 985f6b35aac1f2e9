#pragma once
#include <functional>
#include <memory>
#include <string>

#include "commands/CommandTable.h"
#include "playback/AudioControls.h"
#include "ports/Dialogs.h"
#include "ports/Http.h"
#include "ports/Processes.h"

namespace orbis {

struct UpdateContext {
  Http& http;
  Processes& processes;
  Dialogs& dialogs;
  AudioControls& audio;
  std::string programFolder;  // ends in "/"; holds Updater.ini and the updater
  std::string programName;    // the caption of the question
  // The program's exit routine, with the closing sound left out; the program ends after it.
  std::function<void()> shutdownForUpdater;
  HttpLimits limits = {};
};

// Asks the update server for the newest release and, when it is newer than the installed one
// and the reader agrees, ends the program and starts the updater in its place. The server is
// asked without waiting for it: the reader goes on reading and the answer is told when it comes.
class UpdateCheck {
 public:
  static constexpr const char* kAppCode = "OVP";
  static constexpr const char* kUpdater = "Updater";
  static constexpr const char* kAgent = "Updater";

  explicit UpdateCheck(UpdateContext context);
  void registerCommands(CommandTable& commands);
  // asked: the reader chose the command, rather than the check at start, which stays silent
  // unless there is something to offer.
  void check(bool asked);
  // Whether the server's answer is still awaited.
  bool waiting() const { return waiting_; }

 private:
  void answer(bool asked, const HttpResponse& response);
  void offer();
  void tell(const std::string& text, bool warning);

  UpdateContext ctx_;
  bool waiting_ = false;
  bool askedWhileWaiting_ = false;
  // An answer that comes after this object has gone finds the token expired.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace orbis
