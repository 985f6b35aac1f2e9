#include "update/UpdateCheck.h"

#include "commands/CommandIds.h"
#include "settings/KeyFile.h"
#include "texts/UiTexts.h"
#include "update/ReleaseText.h"

namespace orbis {

namespace {

constexpr long kHttpOk = 200;

struct Fetched {
  bool reached = false;  // a whole answer with status 200
  ReleaseText release;
};

// An installed release that is missing or unreadable counts as the oldest, so any release on
// the server is offered.
std::uint64_t installedRelease(const std::string& ini) {
  return releaseNumber(readProfileString(ini, "Config", "LastUpdateID", "")).value_or(0);
}

}  // namespace

UpdateCheck::UpdateCheck(UpdateContext context) : ctx_(std::move(context)) {}

void UpdateCheck::registerCommands(CommandTable& commands) {
  commands.add(cmd::kUpdate, [this] { check(true); });
}

void UpdateCheck::check(bool asked) {
  const bool resume = ctx_.audio.beginModal();
  if (checkPaused(asked) == Answer::Resume) ctx_.audio.endModal(resume);
}

UpdateCheck::Answer UpdateCheck::checkPaused(bool asked) {
  const std::string ini = ctx_.programFolder + "Updater.ini";
  // A program installed without an update server (a distribution's package) has no address.
  std::string base = readProfileString(ini, "Config", "UpdateURL", "");
  Fetched fetched;
  if (!base.empty()) {
    if (base.back() != '/') base += '/';
    const HttpResponse response =
        ctx_.http.get(base + "updates/" + kAppCode + "-UID.txt", kAgent, ctx_.limits);
    // An error page is no release file, whatever its first line says.
    fetched.reached = response.complete && response.status == kHttpOk;
    if (fetched.reached) fetched.release = splitReleaseText(response.body);
  }
  if (!fetched.reached) {
    if (asked) tell(uiTexts().updateServerUnreachable, true);
    return Answer::Resume;
  }
  const auto newest = releaseNumber(fetched.release.identifier);
  if (newest && installedRelease(ini) < *newest) {
    const MessageAnswer answer =
        ctx_.dialogs.messageBox(uiTexts().updateAvailable, ctx_.programName,
                                MessageButtons::YesNoCancel, MessageIcon::Question);
    return answer == MessageAnswer::Yes ? offer() : Answer::Resume;
  }
  if (asked) tell(uiTexts().noUpdatesAvailable, false);
  return Answer::Resume;
}

// The player ends only when the updater can take over: without it the reader would be left
// with neither.
UpdateCheck::Answer UpdateCheck::offer() {
  const std::string updater = ctx_.programFolder + kUpdater;
  if (!ctx_.processes.canStart(updater)) {
    tell(uiTexts().updaterMissing, true);
    return Answer::Resume;
  }
  const std::vector<std::string> arguments = {"/app",  kAppCode,
                                              "/id",   std::to_string(ctx_.processes.ownId()),
                                              "/lang", std::to_string(languageIndex())};
  if (ctx_.shutdownForUpdater) ctx_.shutdownForUpdater();
  // The updater waits for this process to end; a failure to start it can no longer be told.
  ctx_.processes.start(updater, arguments, ctx_.programFolder);
  return Answer::Ended;
}

void UpdateCheck::tell(const std::string& text, bool warning) {
  if (warning) {
    ctx_.dialogs.messageBox(text, ctx_.programName, MessageButtons::Ok, MessageIcon::Warning);
  } else {
    ctx_.dialogs.messageBox(text, uiTexts().infoCaption, MessageButtons::Ok,
                            MessageIcon::Information);
  }
}

}  // namespace orbis
