#pragma once
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace orbis {

// A desktop session that ends (logout, shutdown) and a terminal that closes end programs with
// SIGTERM, SIGHUP or SIGINT. The signal handler only writes a byte into a socket pair; the
// event loop reads it and runs the shutdown there, where saving files is safe.
class ShutdownSignals : public QObject {
  Q_OBJECT
 public:
  explicit ShutdownSignals(std::function<void()> onShutdown);
  ~ShutdownSignals() override;

 private:
  void readSignal();
  std::function<void()> onShutdown_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orbis
