// The search for books on a drive over a generated tree of 50,000 folders holding 200 books,
// beside `find` walking the same tree for the same names: the walk is the floor of a scan.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "library/BookScan.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTop = 20;
constexpr int kMiddle = 50;
constexpr int kLeaves = 49;  // 20 + 20 * 50 + 20 * 50 * 49 = 50,020 folders
constexpr int kBooks = 200;

struct GeneratedDrive {
  orbis::testing::TempDir dir;
  GeneratedDrive() {
    const int leaves = kTop * kMiddle * kLeaves;
    const int bookEvery = leaves / kBooks;
    int leaf = 0;
    for (int t = 0; t < kTop; ++t) {
      for (int m = 0; m < kMiddle; ++m) {
        for (int l = 0; l < kLeaves; ++l, ++leaf) {
          const fs::path folder = dir.path() / ("Ordner" + std::to_string(t)) /
                                  ("Teil" + std::to_string(m)) / ("cd" + std::to_string(l));
          fs::create_directories(folder);
          std::ofstream(folder / "track01.mp3") << "x";
          if (leaf % bookEvery == 0) std::ofstream(folder / "ncc.html") << "<html></html>";
        }
      }
    }
  }
};

GeneratedDrive& drive() {
  static GeneratedDrive generated;
  return generated;
}

void scanDrive(benchmark::State& state) {
  const std::string root = drive().dir.str();
  size_t books = 0;
  for (auto _ : state) books = orbis::BookScan().run(root).size();
  if (books != kBooks) state.SkipWithError("unexpected number of books");
  state.counters["books"] = static_cast<double>(books);
}

void findOverTheSameTree(benchmark::State& state) {
  const std::string command = "find '" + drive().dir.str() +
                              "' -xdev -iname 'ncc.html*' -o -iname '*discinfo.html*' > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("find failed");
  }
}

}  // namespace

BENCHMARK(scanDrive)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(findOverTheSameTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
