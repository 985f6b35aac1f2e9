#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace orbis {

// Tells when the drives may have changed: a file system was mounted or unmounted (the kernel
// marks the mount table with a priority event) or udisks2 reports a drive that came or went.
// Bursts (a stick with several partitions) settle into one report.
class MountWatcher : public QObject {
  Q_OBJECT
 public:
  explicit MountWatcher(const QString& mountTable = QStringLiteral("/proc/self/mounts"),
                        int settleMs = 300, QObject* parent = nullptr);
  ~MountWatcher() override;

  // Whether the mount table could be opened to be watched.
  bool watching() const { return fd_ >= 0; }
  // Reports the change again once the settling time has passed, for a receiver that cannot
  // take it now.
  void reportAgainLater() { settle_.start(); }

 signals:
  void changed();

 private slots:
  void onUdisksChange();

 private:
  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QTimer settle_;
};

}  // namespace orbis
