// Cold start: from starting the player's process to its main window being shown, measured by
// asking the new process over its single-instance socket until it reports its window.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "platform/SingleInstance.h"

namespace {

void ColdStartToWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    QTemporaryDir appData, runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("APPDATA"), appData.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("ORBIS_NONINTERACTIVE"), QStringLiteral("1"));
    orbis::SingleInstance client(QStringLiteral("Orbis Orbis Velora.exe"), runtime.path());

    QProcess player;
    player.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    player.start(QStringLiteral(ORBIS_EXECUTABLE), {});
    bool shown = false;
    while (!shown && clock.elapsed() < 30000) {
      auto answer = client.request(QStringLiteral("FINDWINDOW"), 200);
      shown = answer && *answer == QLatin1String("1");
      if (!shown) QThread::usleep(500);
    }
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    if (!shown) state.SkipWithError("the window never showed");
    player.terminate();
    player.waitForFinished(10000);
  }
}
BENCHMARK(ColdStartToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
