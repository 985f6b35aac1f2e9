// The media interface on a private session bus of its own, asked by a second connection as the
// desktop would, while the simulated player reads a generated book.
#include "platform/MprisService.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QProcess>

#include "app/CLumen2Dlg.h"
#include "commands/CommandIds.h"
#include "qtsupport/QtEventLoop.h"
#include "support/MainDialogRig.h"

namespace orbis {
namespace {

using testing::processEventsUntil;

// Catches the service's PropertiesChanged signals.
class ChangeCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QVariantMap> changes;
 public slots:
  void caught(const QString&, const QVariantMap& changed, const QStringList&) {
    changes << changed;
  }
};

class MprisServiceTest : public ::testing::Test {
 protected:
  MprisServiceTest() {
    testing::ensureQtApplication();
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address=1")});
    if (!daemon.waitForStarted(5000) || !daemon.waitForReadyRead(5000)) return;
    address = QString::fromUtf8(daemon.readLine()).trimmed();
  }
  ~MprisServiceTest() override {
    QDBusConnection::disconnectFromBus(QStringLiteral("player"));
    QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
    daemon.kill();
    daemon.waitForFinished(5000);
  }
  QDBusConnection connect(const QString& name) {
    return QDBusConnection::connectToBus(address, name);
  }
  // Calls a method of the service and lets it answer: both ends run on this thread.
  QDBusMessage call(const char* interface, const char* method, const QVariantList& args = {}) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(QString::fromLatin1(MprisService::kServiceName),
                                       QString::fromLatin1(MprisService::kObjectPath),
                                       QString::fromLatin1(interface), QString::fromLatin1(method));
    message.setArguments(args);
    QDBusPendingCall pending = connect(QStringLiteral("desktop")).asyncCall(message);
    processEventsUntil([&] { return pending.isFinished(); }, 5000);
    return pending.reply();
  }
  QVariant property(const char* interface, const char* name) {
    const QDBusMessage reply = call("org.freedesktop.DBus.Properties", "Get",
                                    {QString::fromLatin1(interface), QString::fromLatin1(name)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
  }
  QVariant player(const char* name) { return property("org.mpris.MediaPlayer2.Player", name); }
  QVariantMap metadata() { return qdbus_cast<QVariantMap>(player("Metadata")); }

  QProcess daemon;
  QString address;
};

TEST_F(MprisServiceTest, DesktopSeesAndControlsTheReading) {
  ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
  testing::MainDialogRig rig;
  CLumen2Dlg& dlg = rig.startWithBook();
  MediaSession session(dlg, rig.player);
  session.play();
  int raised = 0;
  MprisService service(session, {[] { return false; }, [&] { ++raised; }, {}, {}});
  ASSERT_TRUE(service.registerOn(connect(QStringLiteral("player"))));
  // A second player on the same bus cannot take the name.
  MprisService second(session, {});
  EXPECT_FALSE(second.registerOn(connect(QStringLiteral("player"))));

  ChangeCatcher catcher;
  ASSERT_TRUE(connect(QStringLiteral("desktop"))
                  .connect(QString(), QString::fromLatin1(MprisService::kObjectPath),
                           QStringLiteral("org.freedesktop.DBus.Properties"),
                           QStringLiteral("PropertiesChanged"), &catcher,
                           SLOT(caught(QString, QVariantMap, QStringList))));

  EXPECT_EQ(property("org.mpris.MediaPlayer2", "Identity").toString(), "Orbis Velora");
  EXPECT_EQ(player("PlaybackStatus").toString(), "Playing");
  EXPECT_EQ(metadata().value("xesam:title").toString(), "Eins");
  EXPECT_EQ(metadata().value("xesam:album").toString().toStdString(), dlg.book().metadata.title);
  EXPECT_EQ(metadata().value("mpris:length").toLongLong(), 3'000'000);

  call("org.mpris.MediaPlayer2.Player", "Pause");
  EXPECT_EQ(player("PlaybackStatus").toString(), "Paused");
  ASSERT_TRUE(processEventsUntil([&] { return !catcher.changes.isEmpty(); }, 3000));
  EXPECT_EQ(catcher.changes.last().value("PlaybackStatus").toString(), "Paused");

  call("org.mpris.MediaPlayer2.Player", "Next");
  EXPECT_EQ(metadata().value("xesam:title").toString(), "Zwei");
  ASSERT_TRUE(
      processEventsUntil([&] { return catcher.changes.last().contains("Metadata"); }, 3000));

  // A change made in the window is announced too.
  dlg.onCommand(ctl::kButtonPreviousLevel);
  ASSERT_TRUE(processEventsUntil(
      [&] {
        const QVariantMap meta = qdbus_cast<QVariantMap>(catcher.changes.last().value("Metadata"));
        return meta.value("xesam:title").toString() == "Eins";
      },
      3000));

  const QDBusMessage set = call("org.freedesktop.DBus.Properties", "Set",
                                {QStringLiteral("org.mpris.MediaPlayer2.Player"),
                                 QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.5))});
  EXPECT_EQ(set.type(), QDBusMessage::ReplyMessage) << set.errorMessage().toStdString();
  EXPECT_DOUBLE_EQ(player("Volume").toDouble(), 0.5);

  call("org.mpris.MediaPlayer2", "Raise");
  EXPECT_EQ(raised, 1);
}

// While the reader is in a box, requests wait as keys do.
TEST_F(MprisServiceTest, RequestsAreInertWhileTheReaderIsBusy) {
  ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
  testing::MainDialogRig rig;
  CLumen2Dlg& dlg = rig.startWithBook();
  MediaSession session(dlg, rig.player);
  MprisService service(session, {[] { return true; }, {}, {}, {}});
  ASSERT_TRUE(service.registerOn(connect(QStringLiteral("player"))));
  call("org.mpris.MediaPlayer2.Player", "Next");
  EXPECT_EQ(metadata().value("xesam:title").toString(), "Eins");
}

}  // namespace
}  // namespace orbis

#include "MprisServiceTest.moc"
