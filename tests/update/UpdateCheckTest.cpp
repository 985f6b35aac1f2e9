#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/CurlHttp.h"
#include "platform/PosixProcesses.h"
#include "support/LocalHttpServer.h"
#include "support/ReadingHarness.h"
#include "texts/UiTexts.h"
#include "update/UpdateCheck.h"

namespace orbis::testing {
namespace {

using Mode = LocalHttpServer::Mode;
namespace fs = std::filesystem;

// The check over real HTTP against a local server, with a program folder of its own in which a
// stand-in updater writes down how it was started.
class UpdateCheckTest : public ::testing::Test {
 protected:
  UpdateCheckTest() {
    // The server's answer comes back through the event loop.
    static int argc = 1;
    static char name[] = "test_update";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    fillTexts(uiTexts(), kLanguageGerman);
    languageIndex() = kLanguageGerman;
    harness.start();
  }
  ~UpdateCheckTest() override { fillTexts(uiTexts(), kLanguageGerman); }

  std::string programFolder() const { return program.str() + "/"; }
  void configure(const std::string& url, const std::string& installed) {
    std::string ini = "[Config]\nUpdateURL=" + url + "\n";
    if (!installed.empty()) ini += "LastUpdateID=" + installed + "\n";
    program.write("Updater.ini", ini);
  }
  void installUpdater() {
    const auto script = program.write(
        "Updater",
        "#!/bin/sh\necho \"$*\" > \"$0.tmp\"; pwd >> \"$0.tmp\"; mv \"$0.tmp\" \"$0.args\"\n");
    fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
  }
  std::string updaterRecord() const {
    const fs::path record = program.path() / "Updater.args";
    for (int i = 0; i < 300 && !fs::exists(record); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fs::exists(record) ? program.read("Updater.args") : std::string();
  }
  UpdateContext context(HttpLimits limits = {}) {
    return UpdateContext{http,
                         processes,
                         harness.dialogs,
                         harness.session().audio(),
                         programFolder(),
                         "Orbis Velora",
                         [this] { ++shutdowns; },
                         limits};
  }
  static void awaitAnswer(const UpdateCheck& update) {
    while (update.waiting()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  // Runs the check until its answer is told; the messages shown are in harness.dialogs.
  void check(bool asked, HttpLimits limits = {}) {
    UpdateCheck update(context(limits));
    update.check(asked);
    awaitAnswer(update);
  }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : harness.dialogs.messages) texts.push_back(message.text);
    return texts;
  }

  ReadingHarness harness;
  TempDir program;
  CurlHttp http;
  PosixProcesses processes;
  int shutdowns = 0;
};

TEST_F(UpdateCheckTest, ANewerReleaseIsOfferedAndAnEqualOneIsNot) {
  LocalHttpServer server(Mode::Reply, 200, "12");
  configure(server.baseUrl(), "11");
  installUpdater();
  harness.dialogs.answers = {MessageAnswer::No};
  check(false);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().updateAvailable});
  EXPECT_EQ(server.requestLine(), "GET /updates/OVP-UID.txt HTTP/1.1");
  EXPECT_EQ(server.userAgent(), "Updater");

  configure(server.baseUrl(), "12");
  harness.dialogs.messages.clear();
  check(false);
  EXPECT_TRUE(harness.dialogs.messages.empty());
  check(true);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().noUpdatesAvailable});
  EXPECT_EQ(shutdowns, 0);
}

// The reader who asks while the check at start still waits hears that answer, once.
TEST_F(UpdateCheckTest, AskingWhileTheCheckAtStartWaitsTellsItsAnswer) {
  LocalHttpServer server(Mode::Reply, 200, "12");
  configure(server.baseUrl(), "12");
  UpdateCheck update(context());
  update.check(false);
  update.check(true);
  awaitAnswer(update);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().noUpdatesAvailable});
}

// A first line that is no number fitting 64 bits offers nothing.
TEST_F(UpdateCheckTest, AnIdentifierTooLargeForANumberIsNone) {
  LocalHttpServer server(Mode::Reply, 200, "99999999999999999999\n5");
  configure(server.baseUrl(), "1");
  check(true);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().noUpdatesAvailable});
}

TEST_F(UpdateCheckTest, YesEndsThePlayerAndStartsTheUpdaterAsTheUser) {
  LocalHttpServer server(Mode::Reply, 200, "12\r\n3");
  configure(server.baseUrl(), "");  // nothing installed yet counts as the oldest release
  installUpdater();
  languageIndex() = kLanguageEnglish;
  harness.dialogs.answers = {MessageAnswer::Yes};
  check(false);
  EXPECT_EQ(shutdowns, 1);
  EXPECT_EQ(updaterRecord(), "/app OVP /id " + std::to_string(::getpid()) + " /lang 1\n" +
                                 fs::canonical(program.path()).string() + "\n");
}

// What cannot be installed is not offered: the reader hears why at once, not after Yes.
TEST_F(UpdateCheckTest, WithoutAnUpdaterThePlayerKeepsRunning) {
  LocalHttpServer server(Mode::Reply, 200, "12");
  configure(server.baseUrl(), "11");
  program.write("Updater", "not runnable");  // there, but not executable
  harness.dialogs.answers = {MessageAnswer::Yes};
  check(false);
  EXPECT_EQ(shutdowns, 0);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().updaterMissing});
}

// An installation that names no server is updated by its package manager; the reader who asks
// is told so, nobody is asked.
TEST_F(UpdateCheckTest, WithoutAServerUpdatesComeThroughThePackageManager) {
  configure("", "1");
  check(false);
  EXPECT_TRUE(harness.dialogs.messages.empty());
  check(true);
  EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().updatesByPackageManager});
}

// A failed request is never taken for "no updates", nor an error page for a release.
TEST_F(UpdateCheckTest, AnswersThatAreNoReleaseFileAreToldAsAnUnreachableServer) {
  const HttpLimits quick{std::chrono::milliseconds(300), std::chrono::milliseconds(300), 64 * 1024};
  auto expectUnreachable = [&](const std::string& url, const char* what) {
    configure(url, "1");
    harness.dialogs.messages.clear();
    const auto begin = std::chrono::steady_clock::now();
    check(false, quick);
    EXPECT_TRUE(harness.dialogs.messages.empty()) << what;  // silent at start
    check(true, quick);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{uiTexts().updateServerUnreachable}) << what;
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3)) << what;
  };
  {
    LocalHttpServer notFound(Mode::Reply, 404, "99");
    expectUnreachable(notFound.baseUrl(), "404");
  }
  {
    LocalHttpServer large(Mode::Reply, 200, "99\n" + std::string(64 * 1024, '9'));
    expectUnreachable(large.baseUrl(), "over 64 KiB");
  }
  {
    LocalHttpServer endless(Mode::Endless);
    expectUnreachable(endless.baseUrl(), "endless");
  }
  {
    LocalHttpServer stalled(Mode::Stall);
    expectUnreachable(stalled.baseUrl(), "stalled");
  }
  expectUnreachable("http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()) + "/",
                    "closed port");
  program.write("updates/OVP-UID.txt", "99");
  expectUnreachable("file://" + programFolder(), "not http");
  EXPECT_EQ(shutdowns, 0);
}

}  // namespace
}  // namespace orbis::testing
