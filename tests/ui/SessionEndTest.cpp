#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <optional>

#include "commands/CommandIds.h"
#include "library/LastBookFile.h"
#include "platform/SingleInstance.h"
#include "qtsupport/QtEventLoop.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;

// The real player on the offscreen platform, asked over its socket which box is open. The end of
// the desktop session (SIGTERM) comes while a modal box runs its own event loop inside the main
// one: the box closes, the exit routine runs once and the process ends cleanly.
class SessionEndTest : public ::testing::Test {
 protected:
  SessionEndTest() {
    testing::ensureQtApplication();
    fs::permissions(runtime.path(), fs::perms::owner_all);
    environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("APPDATA"), QString::fromStdString(appData.str()));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.str()));
    environment.insert(QStringLiteral("ORBIS_TEST_REQUESTS"), QStringLiteral("1"));
    environment.remove(QStringLiteral("ORBIS_NONINTERACTIVE"));
    // No desktop session bus: the player runs without the media interface.
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    player.setProcessEnvironment(environment);
    // The first run opens the sample book through the loader.
    player.start(QStringLiteral(ORBIS_EXECUTABLE), {});
    EXPECT_TRUE(player.waitForStarted(10000));
  }
  ~SessionEndTest() override {
    if (player.state() != QProcess::NotRunning) {
      player.kill();
      player.waitForFinished(5000);
    }
  }

  QString ask(const QString& request) {
    auto answer = client.request(QLatin1String(SingleInstance::kTestPrefix) + request, 1000);
    return answer.value_or(QString());
  }
  // Waits until the open modal box or menu is of the class named ("-" for none).
  bool waitForBox(const char* className) {
    for (int i = 0; i < 300 && player.state() == QProcess::Running; ++i) {
      if (ask(QStringLiteral("modal")) == QLatin1String(className)) return true;
      QThread::msleep(50);
    }
    return false;
  }
  void waitForBook() {
    ASSERT_TRUE(waitForBox("orbis::CA_Daisy")) << player.readAllStandardError().toStdString();
    ASSERT_TRUE(waitForBox("-"));
  }
  void openWithCommand(int id, const char* className) {
    EXPECT_EQ(ask(QStringLiteral("command %1").arg(id)), QStringLiteral("0"));
    ASSERT_TRUE(waitForBox(className));
  }

  // bookOpen: whether the resume files must be there; unset when either is right.
  void expectCleanEnd(std::optional<bool> bookOpen) {
    player.terminate();
    ASSERT_TRUE(player.waitForFinished(30000));
    const std::string said = player.readAllStandardError().toStdString();
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit) << said;
    EXPECT_EQ(player.exitCode(), 0) << said;
    const fs::path data = appData.path() / "Orbis Velora";
    EXPECT_TRUE(fs::exists(data / "Settings.dl"));
    if (!bookOpen) return;
    EXPECT_EQ(fs::exists(data / "AResume.dl"), *bookOpen);
    EXPECT_EQ(fs::exists(data / "Letztes.dl"), *bookOpen);
  }

  QProcessEnvironment environment;
  testing::TempDir appData;
  testing::TempDir runtime;
  SingleInstance client{QStringLiteral("Orbis Orbis Velora.exe"),
                        QString::fromStdString(runtime.str())};
  QProcess player;
};

TEST_F(SessionEndTest, AboutBox) {
  waitForBook();
  openWithCommand(cmd::kAbout, "QMessageBox");
  expectCleanEnd(true);
}

TEST_F(SessionEndTest, MessageBox) {
  waitForBook();
  EXPECT_EQ(ask(QStringLiteral("message")), QStringLiteral("0"));
  ASSERT_TRUE(waitForBox("QMessageBox"));
  expectCleanEnd(true);
}

// The loader waits a second before it reads, and then reads to the end: the book is open or not.
TEST_F(SessionEndTest, LoaderDialog) {
  ASSERT_TRUE(waitForBox("orbis::CA_Daisy"));
  expectCleanEnd(std::nullopt);
}

// Opening another book closes the one being read first: its position is already kept.
TEST_F(SessionEndTest, FileDialog) {
  waitForBook();
  openWithCommand(cmd::kOpen, "QFileDialog");
  expectCleanEnd(true);
}

// A double click on a book in the file manager while the player runs: the second start hands the
// book over and ends quietly; the running player opens it in place of the one it was reading.
TEST_F(SessionEndTest, SecondStartWithABookHandsItOver) {
  waitForBook();
  const fs::path book = fs::path(ORBIS_SHARED_BOOKS_DIR) / "light-man";
  QProcess second;
  second.setProcessEnvironment(environment);
  second.start(QStringLiteral(ORBIS_EXECUTABLE),
               {QString::fromStdString((book / "ncc.html").string())});
  ASSERT_TRUE(second.waitForFinished(15000));
  EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
  waitForBook();
  expectCleanEnd(true);
  EXPECT_EQ(LastBookFile(appData.str() + "/Orbis Velora/").read(), book.string() + "/");
}

}  // namespace
}  // namespace orbis
