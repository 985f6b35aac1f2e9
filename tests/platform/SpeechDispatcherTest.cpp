// The speech port over a Speech Dispatcher server of the test's own: its configuration and socket
// in a temporary folder, the espeak-ng module, and libao's null driver as the sound output, so
// that it runs without a sound card and never speaks into the desktop's session.
#include "platform/SpeechDispatcher.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "qtsupport/QtEventLoop.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kServer = "/usr/bin/speech-dispatcher";
constexpr const char* kEspeakModule = "/usr/lib/speech-dispatcher-modules/sd_espeak-ng";
constexpr const char* kSystemConfig = "/etc/speech-dispatcher";

class PrivateSpeechServer {
 public:
  PrivateSpeechServer() {
    const fs::path conf = dir_.path() / "conf";
    fs::copy(kSystemConfig, conf, fs::copy_options::recursive);
    std::ifstream in(conf / "speechd.conf");
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::string config = std::regex_replace(
        text.str(), std::regex("^#? *AudioOutputMethod .*$", std::regex::multiline),
        "AudioOutputMethod \"libao\"");
    config += "\nDefaultModule espeak-ng\n";
    std::ofstream(conf / "speechd.conf") << config;
    std::ofstream(dir_.path() / ".libao") << "default_driver=null\n";

    socket_ = (dir_.path() / "speechd.sock").string();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(dir_.str()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir_.str()));
    server_.setProcessEnvironment(env);
    server_.start(
        kServer,
        {"-s", "-t", "60", "-c", "unix_socket", "-S", QString::fromStdString(socket_), "-C",
         QString::fromStdString(conf.string()), "-L", QString::fromStdString(dir_.str())});
    server_.waitForStarted(5000);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(socket_) && std::chrono::steady_clock::now() < until) {
      server_.waitForFinished(50);
    }
  }
  ~PrivateSpeechServer() {
    server_.terminate();
    if (!server_.waitForFinished(3000)) server_.kill();
    server_.waitForFinished(1000);
  }
  bool up() const { return fs::exists(socket_); }
  std::string address() const { return "unix_socket:" + socket_; }

 private:
  TempDir dir_;
  std::string socket_;
  QProcess server_;
};

class SpeechDispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kServer) || !fs::exists(kEspeakModule)) {
      GTEST_SKIP() << "speech-dispatcher with its espeak-ng module is not installed";
    }
    ensureQtApplication();
  }
};

struct Ends {
  std::vector<std::pair<int, UtteranceEnd>> seen;
  bool has(int id) const {
    for (const auto& [seenId, how] : seen) {
      if (seenId == id) return true;
    }
    return false;
  }
  UtteranceEnd of(int id) const {
    for (const auto& [seenId, how] : seen) {
      if (seenId == id) return how;
    }
    return UtteranceEnd::Unavailable;
  }
};

TEST_F(SpeechDispatcherTest, APhraseIsSpokenToItsEndInTheWantedOrTheDefaultLanguage) {
  PrivateSpeechServer server;
  ASSERT_TRUE(server.up()) << "the private speech-dispatcher did not come up";
  setenv("SPEECHD_ADDRESS", server.address().c_str(), 1);
  Ends ends;
  {
    SpeechDispatcher speech;
    speech.onUtteranceEnd([&](int id, UtteranceEnd how) { ends.seen.emplace_back(id, how); });
    EXPECT_TRUE(speech.available());
    // Asked before the connection is up: it waits for it.
    speech.setRate(20);
    const int first = speech.speak("Dies ist ein kurzer Satz.", "de-DE");
    ASSERT_TRUE(processEventsUntil([&] { return ends.has(first); }, 15000));
    EXPECT_EQ(ends.of(first), UtteranceEnd::Ended);
    EXPECT_TRUE(speech.available());

    // A language the synthesizer has no voice for is spoken in the default one.
    const int second = speech.speak("Ein zweiter Satz.", "x-unknown");
    ASSERT_TRUE(processEventsUntil([&] { return ends.has(second); }, 15000));
    EXPECT_EQ(ends.of(second), UtteranceEnd::Ended);
  }
  unsetenv("SPEECHD_ADDRESS");
}

TEST_F(SpeechDispatcherTest, WithoutAServerTheUtteranceEndsUnavailableWithoutHoldingAnyone) {
  TempDir dir;
  const std::string address = "unix_socket:" + dir.str() + "/none.sock";
  setenv("SPEECHD_ADDRESS", address.c_str(), 1);
  Ends ends;
  {
    const auto start = std::chrono::steady_clock::now();
    SpeechDispatcher speech;
    speech.onUtteranceEnd([&](int id, UtteranceEnd how) { ends.seen.emplace_back(id, how); });
    const int id = speech.speak("Niemand hört zu.", "de");
    const auto asked = std::chrono::steady_clock::now() - start;
    EXPECT_LT(asked, std::chrono::milliseconds(500));  // the user interface is not held
    ASSERT_TRUE(
        processEventsUntil([&] { return ends.has(id); }, SpeechDispatcher::kConnectWaitMs + 2000));
    EXPECT_EQ(ends.of(id), UtteranceEnd::Unavailable);
    EXPECT_FALSE(speech.available());
  }
  unsetenv("SPEECHD_ADDRESS");
}

}  // namespace
}  // namespace orbis::testing
