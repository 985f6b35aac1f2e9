#include "platform/MountWatcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QSocketNotifier>

namespace orbis {

namespace {
const QString kUdisksService = QStringLiteral("org.freedesktop.UDisks2");
const QString kUdisksPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
}  // namespace

MountWatcher::MountWatcher(const QString& mountTable, int settleMs, QObject* parent)
    : QObject(parent) {
  settle_.setSingleShot(true);
  settle_.setInterval(settleMs);
  connect(&settle_, &QTimer::timeout, this, &MountWatcher::changed);

  // A file watcher sees nothing here: the mount table is no file that is written. The kernel
  // marks an open mount table with a priority event instead, and the poll that reports it
  // clears it again.
  fd_ = ::open(mountTable.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
  if (fd_ >= 0) {
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Exception, this);
    connect(notifier_, &QSocketNotifier::activated, &settle_, qOverload<>(&QTimer::start));
  }

  // A disc drive plugged in without a disc changes no mount; udisks2 sees it.
  QDBusConnection bus = QDBusConnection::systemBus();
  if (bus.isConnected()) {
    for (const char* signal : {"InterfacesAdded", "InterfacesRemoved"}) {
      bus.connect(kUdisksService, kUdisksPath, kObjectManager, QString::fromLatin1(signal), this,
                  SLOT(onUdisksChange()));
    }
  }
}

MountWatcher::~MountWatcher() {
  delete notifier_;
  if (fd_ >= 0) ::close(fd_);
}

void MountWatcher::onUdisksChange() {
  settle_.start();
}

}  // namespace orbis
