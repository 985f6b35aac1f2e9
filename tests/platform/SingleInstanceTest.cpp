#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <optional>

#include "qtsupport/QtEventLoop.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

void coreApplication() {
  testing::ensureQtApplication();
}

// Two real players: the first runs on the offscreen platform, the second must find it, tell the
// reader twice and end without a window.
class TwoPlayersTest : public ::testing::Test {
 protected:
  TwoPlayersTest() {
    coreApplication();
    std::filesystem::create_directories(runtime.path());
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
    environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("APPDATA"), QString::fromStdString(appData.str()));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.str()));
    environment.insert(QStringLiteral("ORBIS_NONINTERACTIVE"), QStringLiteral("1"));
  }
  ~TwoPlayersTest() override {
    if (first.state() != QProcess::NotRunning) {
      first.kill();
      first.waitForFinished(5000);
    }
  }

  void startPlayer(QProcess& process) {
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORBIS_EXECUTABLE), {});
    ASSERT_TRUE(process.waitForStarted(10000));
  }

  // The first player listens once its main window is up.
  bool waitForWindow(SingleInstance& client) {
    for (int i = 0; i < 300; ++i) {
      auto answer = client.request(QString::fromLatin1(SingleInstance::kFindWindow), 500);
      if (answer && *answer == QLatin1String("1")) return true;
      QThread::msleep(100);
    }
    return false;
  }

  testing::TempDir appData;
  testing::TempDir runtime;
  QProcessEnvironment environment;
  QProcess first;
};

TEST_F(TwoPlayersTest, SecondStartTellsTheReaderTwiceAndEnds) {
  startPlayer(first);
  SingleInstance client(QStringLiteral("Orbis Orbis Velora.exe"),
                        QString::fromStdString(runtime.str()));
  ASSERT_TRUE(waitForWindow(client)) << first.readAllStandardError().toStdString();

  QProcess second;
  startPlayer(second);
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitCode(), 0);
  const QString said = QString::fromUtf8(second.readAllStandardError());
  EXPECT_EQ(said.count(QStringLiteral("Orbis Velora ist bereits aktiv.")), 2) << said.toStdString();
  EXPECT_EQ(first.state(), QProcess::Running);

  // What other programs may ask the running window.
  // A loaded machine may keep the first player busy for a while after the second start.
  auto focus = client.request(QString::fromLatin1(SingleInstance::kFocusQuery), 15000);
  ASSERT_TRUE(focus.has_value());
  EXPECT_EQ(focus->toUInt() & 0xFFFF0000u, 0x534B0000u);
  EXPECT_TRUE(
      client.request(QString::fromLatin1(SingleInstance::kFocusTextView), 15000).has_value());

  // The end of the desktop session closes the player like Exit: the settings are saved.
  first.terminate();
  ASSERT_TRUE(first.waitForFinished(20000));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_TRUE(std::filesystem::exists(appData.path() / "Orbis Velora" / "Settings.dl"));
  EXPECT_TRUE(std::filesystem::exists(appData.path() / "Orbis Velora" / "Active.kbd"));
}

TEST(SingleInstance, OnlyOneHolderAndAStaleSocketDoesNotBlock) {
  coreApplication();
  testing::TempDir folder;
  const QString dir = QString::fromStdString(folder.str());
  {
    SingleInstance primary(QStringLiteral("test instance"), dir);
    EXPECT_TRUE(primary.becomePrimary());
    SingleInstance other(QStringLiteral("test instance"), dir);
    EXPECT_FALSE(other.becomePrimary());
  }
  // Released with its holder; a socket file left behind must not stop the next one.
  SingleInstance next(QStringLiteral("test instance"), dir);
  folder.write(QFileInfo(next.socketPath()).fileName().toStdString(), "");
  EXPECT_TRUE(next.becomePrimary());
}

// Sets environment variables for the life of a test and puts back what was there.
class EnvironmentOverride {
 public:
  EnvironmentOverride(
      std::initializer_list<std::pair<const char*, std::optional<std::string>>> set) {
    for (const auto& [name, value] : set) {
      saved_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                    ? std::optional<QByteArray>(qgetenv(name))
                                    : std::nullopt);
      if (value) {
        qputenv(name, QByteArray::fromStdString(*value));
      } else {
        qunsetenv(name);
      }
    }
  }
  ~EnvironmentOverride() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        qputenv(name, *value);
      } else {
        qunsetenv(name);
      }
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

// Without a runtime folder the lock and the socket go to a folder of the user's own, made for
// the user alone; a folder of that name that others may enter, or a link, may be another user's
// trap and is passed over for one in the user's cache folder.
TEST(SingleInstance, WithoutARuntimeFolderTheLockLivesInAFolderOfTheUsersOwn) {
  coreApplication();
  namespace fs = std::filesystem;
  testing::TempDir temp, cache, elsewhere;
  EnvironmentOverride environment(
      {{"XDG_RUNTIME_DIR", std::nullopt}, {"TMPDIR", temp.str()}, {"XDG_CACHE_HOME", cache.str()}});
  const auto mode = [](const QString& path) {
    return fs::symlink_status(path.toStdString()).permissions() & fs::perms::all;
  };
  const QString own = defaultInstanceFolder();
  EXPECT_EQ(QFileInfo(own).dir(), QDir(QString::fromStdString(temp.str())));
  EXPECT_EQ(mode(own), fs::perms::owner_all);
  {
    SingleInstance instance(QStringLiteral("test instance"));
    EXPECT_TRUE(instance.becomePrimary());
    EXPECT_EQ(QFileInfo(instance.socketPath()).dir(), QDir(own));
  }

  const QString inCache = QString::fromStdString(cache.str() + "/orbis-velora");
  fs::remove_all(own.toStdString());
  fs::create_directory(own.toStdString());
  fs::permissions(own.toStdString(), fs::perms::all);
  EXPECT_EQ(defaultInstanceFolder(), inCache);
  EXPECT_EQ(mode(inCache), fs::perms::owner_all);

  fs::remove_all(own.toStdString());
  fs::create_directory_symlink(elsewhere.path(), own.toStdString());
  EXPECT_EQ(defaultInstanceFolder(), inCache);
}

}  // namespace
}  // namespace orbis
