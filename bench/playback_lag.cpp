// How closely reading follows the audio on the real player: the delay between the end of a clip
// and the selection of the next phrase (the tracking timer polls every 100 ms), and the time from
// a phrase-forward command until the player plays on at the new clip.
//
//   bench_playback_lag --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "platform/MpvPlayer.h"
#include "platform/QtTimers.h"
#include "support/BookBuilder.h"
#include "support/SessionOverFiles.h"

namespace orbis {
namespace {

using Clock = std::chrono::steady_clock;
using testing::BookBuilder;

void runEventsUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && Clock::now() < end) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A short sleep, not a spin: the machine is shared, and 1 ms is far below what is measured.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// One book open on the real player and Qt timers.
struct LiveReader {
  MpvPlayer player{"null"};
  QtTimers timers;
  testing::SessionOverFiles rig{player, timers};
  std::unique_ptr<BookSession>& session = rig.session;
  // Audio seconds by which each tracked phrase change came after the clip end.
  std::vector<double> lagsSeconds;

  explicit LiveReader(const std::function<void(BookBuilder&)>& describe) {
    rig.settings.AutoPlay = false;
    session->applySettings({});
    rig.beforePhraseSelected = [this](const RowStateChange& change) {
      const bool tracked = change.newState == kRowSelected && rig.book.open &&
                           !session->state().forceSeek && player.playState() == PlayState::Playing;
      if (tracked) lagsSeconds.push_back(player.currentPosition() - session->state().clipEnd);
    };
    BookBuilder builder(rig.dir.path() / "book");
    describe(builder);
    session->openBookFolder(builder.write());
  }
};

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * (values.size() - 1))];
}

void BM_ClipEndToNextPhrase(benchmark::State& state) {
  for (auto _ : state) {
    LiveReader reader([](BookBuilder& b) { b.heading(1, "Long", 121, 0.2); });
    runEventsUntil([&] { return reader.lagsSeconds.size() >= 120; }, 40000);
    // The first selection is the opening, not a tracked change.
    std::vector<double> lagsMs;
    for (double seconds : reader.lagsSeconds) lagsMs.push_back(seconds * 1000.0);
    state.counters["phrases"] = static_cast<double>(lagsMs.size());
    state.counters["median_ms"] = percentile(lagsMs, 0.5);
    state.counters["p90_ms"] = percentile(lagsMs, 0.9);
    state.counters["max_ms"] = percentile(lagsMs, 1.0);
    state.counters["min_ms"] = percentile(lagsMs, 0.0);
  }
}
BENCHMARK(BM_ClipEndToNextPhrase)->Iterations(1)->Unit(benchmark::kSecond);

void BM_PhraseForwardToPlaying(benchmark::State& state) {
  for (auto _ : state) {
    LiveReader reader([](BookBuilder& b) { b.heading(1, "Jumps", 40, 1.0); });
    runEventsUntil([&] { return reader.player.currentPosition() > 0.1; }, 3000);
    std::vector<double> delaysMs;
    for (int jump = 0; jump < 30; ++jump) {
      runEventsUntil([] { return false; }, 250);
      const auto start = Clock::now();
      // What the phrase-forward command does: a seek to the next phrase of the heading.
      reader.session->state().forceSeek = true;
      reader.session->phrasePlayer().nextPhraseInTitle();
      const double begin = reader.player.currentPosition();  // the target, while under way
      // Playing past the target means the jump is done and the sound flows again.
      runEventsUntil([&] { return reader.player.currentPosition() > begin + 0.005; }, 2000);
      delaysMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    state.counters["jumps"] = static_cast<double>(delaysMs.size());
    state.counters["median_ms"] = percentile(delaysMs, 0.5);
    state.counters["max_ms"] = percentile(delaysMs, 1.0);
  }
}
BENCHMARK(BM_PhraseForwardToPlaying)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace orbis

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
