#include "update/UpdateCheck.h"

#include "commands/CommandIds.h"
#include "settings/KeyFile.h"
#include "texts/UiTexts.h"
#include "update/ReleaseText.h"

namespace orbis {

namespace {

constexpr long kHttpOk = 200;

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
  // The reader asking while the check at start still waits gets that answer told.
  if (waiting_) {
    askedWhileWaiting_ = askedWhileWaiting_ || asked;
    return;
  }
  // A program installed without an update server (a distribution's package) has no address:
  // its updates come through the package manager, and a question to nobody could only fail.
  std::string base =
      readProfileString(ctx_.programFolder + "Updater.ini", "Config", "UpdateURL", "");
  if (base.empty()) {
    if (asked) tell(uiTexts().updatesByPackageManager, false);
    return;
  }
  if (base.back() != '/') base += '/';
  waiting_ = true;
  askedWhileWaiting_ = asked;
  ctx_.http.getLater(base + "updates/" + kAppCode + "-UID.txt", kAgent, ctx_.limits,
                     [this, alive = std::weak_ptr<int>(alive_)](HttpResponse response) {
                       if (alive.expired()) return;
                       waiting_ = false;
                       answer(askedWhileWaiting_, response);
                     });
}

void UpdateCheck::answer(bool asked, const HttpResponse& response) {
  // An error page is no release file, whatever its first line says.
  if (!response.complete || response.status != kHttpOk) {
    if (asked) tell(uiTexts().updateServerUnreachable, true);
    return;
  }
  const auto newest = releaseNumber(splitReleaseText(response.body).identifier);
  if (!newest || installedRelease(ctx_.programFolder + "Updater.ini") >= *newest) {
    if (asked) tell(uiTexts().noUpdatesAvailable, false);
    return;
  }
  // Offering what cannot be installed would end in a refusal after Yes: the reader is told at
  // once where the new release comes from instead.
  if (!ctx_.processes.canStart(ctx_.programFolder + kUpdater)) {
    tell(uiTexts().updaterMissing, true);
    return;
  }
  // Reading pauses for the question and goes on after No as before it, unless the program ends.
  const bool resume = ctx_.audio.beginModal();
  const MessageAnswer choice =
      ctx_.dialogs.messageBox(uiTexts().updateAvailable, ctx_.programName,
                              MessageButtons::YesNoCancel, MessageIcon::Question);
  if (choice == MessageAnswer::Yes) {
    offer();
    return;
  }
  ctx_.audio.endModal(resume);
}

void UpdateCheck::offer() {
  const std::string updater = ctx_.programFolder + kUpdater;
  const std::vector<std::string> arguments = {"/app",  kAppCode,
                                              "/id",   std::to_string(ctx_.processes.ownId()),
                                              "/lang", std::to_string(languageIndex())};
  if (ctx_.shutdownForUpdater) ctx_.shutdownForUpdater();
  // The updater waits for this process to end; a failure to start it can no longer be told.
  ctx_.processes.start(updater, arguments, ctx_.programFolder);
}

void UpdateCheck::tell(const std::string& text, bool warning) {
  ctx_.audio.duringModal([&] {
    if (warning) {
      ctx_.dialogs.messageBox(text, ctx_.programName, MessageButtons::Ok, MessageIcon::Warning);
    } else {
      ctx_.dialogs.messageBox(text, uiTexts().infoCaption, MessageButtons::Ok,
                              MessageIcon::Information);
    }
  });
}

}  // namespace orbis
