#include "platform/MountWatcher.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QProcess>
#include <QSignalSpy>
#include <filesystem>

#include "qtsupport/QtEventLoop.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

constexpr const char* kInOwnNamespace = "ORBIS_OWN_MOUNT_NAMESPACE";

bool userNamespacesWork() {
  QProcess probe;
  probe.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("true")});
  return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
         probe.exitCode() == 0;
}

// Mounting takes a mount namespace of one's own, where an unprivileged user may mount a tmpfs:
// the test runs itself again inside one and watches real mounts there.
TEST(MountWatcher, ReportsEachMountAndUnmountOnceAndIsQuietOtherwise) {
  if (!qEnvironmentVariableIsSet(kInOwnNamespace)) {
    if (!userNamespacesWork()) GTEST_SKIP() << "no user namespaces here";
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kInOwnNamespace), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString self = QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe"));
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    child.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), self,
                                            QStringLiteral("--gtest_filter=%1.%2")
                                                .arg(QString::fromLatin1(test->test_suite_name()),
                                                     QString::fromLatin1(test->name()))});
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
    return;
  }
  testing::ensureQtApplication();
  testing::TempDir point;
  MountWatcher watcher(QStringLiteral("/proc/self/mounts"), 100);
  ASSERT_TRUE(watcher.watching());
  QSignalSpy reports(&watcher, &MountWatcher::changed);
  EXPECT_FALSE(reports.wait(500));

  ASSERT_EQ(::mount("none", point.str().c_str(), "tmpfs", 0, nullptr), 0);
  EXPECT_TRUE(reports.wait(2000));
  EXPECT_FALSE(reports.wait(500));  // one report, not a stream of them
  ASSERT_EQ(::umount(point.str().c_str()), 0);
  EXPECT_TRUE(reports.wait(2000));
  EXPECT_EQ(reports.count(), 2);
}

}  // namespace
}  // namespace orbis
