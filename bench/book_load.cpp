// Loading a large generated book: 2,000 headings in 6 levels, one SMIL file per heading,
// 100,000 phrases, 3,000 pages, 200 groups, text documents. Besides the load it measures, on the
// same files and in the same run, the time to read their bytes into memory (the floor) and the
// time libxml2 needs to parse them into DOM trees, and it reports the memory the loaded tables
// take. The floor and the load are measured twice: with the files in the system's page cache, as
// when a book is opened again, and with the files read from the disc, as when a book is opened for
// the first time since the machine started.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "LargeBook.h"
#include "book/BookLoader.h"
#include "support/BookBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using orbis::testing::BookBuilder;

using orbis::bench::kGroups;
using orbis::bench::kHeadings;
using orbis::bench::kPages;
using orbis::bench::kPhrasesPerHeading;

struct GeneratedBook {
  orbis::testing::TempDir dir;
  std::string folder;
  std::vector<std::string> files;  // the NCC and the SMIL files, the ones the loader reads

  GeneratedBook() {
    BookBuilder builder(dir.path() / "book");
    orbis::bench::describeLargeBook(builder);
    folder = builder.write();
    files.push_back(folder + "ncc.html");
    for (int i = 0; i < kHeadings; ++i) files.push_back(folder + BookBuilder::smilName(i));
  }
};

GeneratedBook& book() {
  static GeneratedBook generated;
  return generated;
}

// Drops the book's files from the page cache, so that the next reading of them comes from the
// disc. The files were written by this program: they are flushed first, as only clean pages
// can be dropped.
void dropFromPageCache(const std::vector<std::string>& files) {
  for (const std::string& path : files) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
  }
}

// Whether any page of the file is in the page cache. On a file system kept in memory (a tmpfs)
// the pages cannot be dropped, and a reading from the disc cannot be measured there.
bool inPageCache(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool cached = false;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    size_t size = static_cast<size_t>(info.st_size);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (mapped != MAP_FAILED) {
      const long page = ::sysconf(_SC_PAGESIZE);
      std::vector<unsigned char> resident((size + page - 1) / page);
      if (::mincore(mapped, size, resident.data()) == 0)
        cached =
            std::any_of(resident.begin(), resident.end(), [](unsigned char r) { return r & 1; });
      ::munmap(mapped, size);
    }
  }
  ::close(fd);
  return cached;
}

// Runs `round` once per iteration with the book's files dropped from the page cache before it;
// the dropping is not timed.
template <typename Round>
void fromDisc(benchmark::State& state, Round round) {
  GeneratedBook& generated = book();
  for (auto _ : state) {
    state.PauseTiming();
    dropFromPageCache(generated.files);
    const bool dropped = !inPageCache(generated.files[1]);
    state.ResumeTiming();
    if (!dropped) {
      state.SkipWithError("the files cannot be dropped from the page cache here");
      break;
    }
    round();
  }
}

// A reader who opens one book after another: the tables keep their memory for the next book.
// The first two loads give them that memory (the fresh case is BM_LoadIntoFreshTables).
struct SeasonedReader {
  orbis::HeadingsTree tree;
  orbis::BookTables tables;
  orbis::testing::ScriptedDialogs dialogs;

  SeasonedReader() {
    for (int i = 0; i < 2; ++i) load();
  }
  bool load() {
    tables.group.deleteAll();
    orbis::BookLoader loader(tree, tables, book().folder, dialogs);
    return loader.run();
  }
  void loadOrSkip(benchmark::State& state) {
    if (!load()) state.SkipWithError("load failed");
  }
  void check(benchmark::State& state) const {
    if (tables.phrase.rowCount() != kHeadings * kPhrasesPerHeading ||
        tables.page.rowCount() != kPages || tables.group.rowCount() != kGroups)
      state.SkipWithError("unexpected table sizes");
    state.counters["phrases"] = tables.phrase.rowCount();
  }
};

// The time is the wall-clock time of the load.
void BM_Load(benchmark::State& state) {
  SeasonedReader reader;
  for (auto _ : state) reader.loadOrSkip(state);
  reader.check(state);
}

// The same with the book's files on the disc only, not in the page cache.
void BM_LoadFromDisc(benchmark::State& state) {
  SeasonedReader reader;
  fromDisc(state, [&] { reader.loadOrSkip(state); });
  reader.check(state);
}

// The first book a reader opens: the tables have no memory yet, and the system hands out fresh
// pages for them.
void BM_LoadIntoFreshTables(benchmark::State& state) {
  GeneratedBook& generated = book();
  orbis::testing::ScriptedDialogs dialogs;
  for (auto _ : state) {
    auto tree = std::make_unique<orbis::HeadingsTree>();
    auto tables = std::make_unique<orbis::BookTables>();
    orbis::BookLoader loader(*tree, *tables, generated.folder, dialogs);
    if (!loader.run()) state.SkipWithError("load failed");
    state.PauseTiming();  // freeing is not loading
    tables.reset();
    tree.reset();
    state.ResumeTiming();
  }
}

// Reads each file of the book into `buffer` with `readFile(path, buffer)`, which returns the
// number of bytes it read; returns the bytes of all of them.
template <typename ReadFile>
size_t readBook(std::vector<char>& buffer, ReadFile readFile) {
  size_t bytes = 0;
  for (const std::string& path : book().files) {
    bytes += readFile(path, buffer);
    benchmark::DoNotOptimize(buffer.data());
  }
  return bytes;
}

// Reads the bytes of all the files of the book with `readFile(path, buffer)`, which returns the
// number of bytes it read, in each round.
template <typename ReadFile>
void readEveryFile(benchmark::State& state, ReadFile readFile) {
  std::vector<char> buffer;
  size_t bytes = 0;
  for (auto _ : state) bytes = readBook(buffer, readFile);
  state.counters["bytes"] = static_cast<double>(bytes);
}

// A file's bytes read with the fewest system calls that read a file whole: open, fstat, read,
// close.
size_t readWithSystemCalls(const std::string& path, std::vector<char>& buffer) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  ssize_t got = 0;
  struct stat info;
  if (::fstat(fd, &info) == 0) {
    buffer.resize(static_cast<size_t>(info.st_size));
    got = ::read(fd, buffer.data(), buffer.size());
  }
  ::close(fd);
  return got > 0 ? static_cast<size_t>(got) : 0;
}

// The floor: each file's bytes read into memory that way, into one buffer, on one thread.
void BM_ReadFloor(benchmark::State& state) {
  readEveryFile(state, readWithSystemCalls);
}

// The floor with the book's files on the disc only, not in the page cache.
void BM_ReadFloorFromDisc(benchmark::State& state) {
  std::vector<char> buffer;
  fromDisc(state, [&] { readBook(buffer, readWithSystemCalls); });
}

// The same bytes read through the C library's streams (fopen, fseek, ftell, fread), as a simple
// program reads a file; for comparison with figures measured against it before.
void BM_ReadWithStdio(benchmark::State& state) {
  readEveryFile(state, [](const std::string& path, std::vector<char>& buffer) -> size_t {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::fseek(file, 0, SEEK_END);
    buffer.resize(static_cast<size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
    std::fclose(file);
    return got;
  });
}

void BM_Libxml2Parse(benchmark::State& state) {
  GeneratedBook& generated = book();
  for (auto _ : state) {
    htmlDocPtr ncc = htmlReadFile(generated.files[0].c_str(), "utf-8",
                                  HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    xmlFreeDoc(ncc);
    for (size_t i = 1; i < generated.files.size(); ++i) {
      xmlDocPtr smil = xmlReadFile(generated.files[i].c_str(), nullptr,
                                   XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
      xmlFreeDoc(smil);
    }
  }
}

// The heap in use, in every arena: blocks taken from the arenas and blocks mapped on their own
// (large blocks are, so leaving them out would hide the largest parts of the tables).
size_t heapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// The heap the loaded tables and tree hold, measured around one load into fresh tables: the
// cells and their text.
void BM_TableMemory(benchmark::State& state) {
  GeneratedBook& generated = book();
  double megabytes = 0;
  for (auto _ : state) {
    malloc_trim(0);
    size_t before = heapInUse();
    {
      auto tree = std::make_unique<orbis::HeadingsTree>();
      auto tables = std::make_unique<orbis::BookTables>();
      orbis::testing::ScriptedDialogs dialogs;
      orbis::BookLoader loader(*tree, *tables, generated.folder, dialogs);
      loader.run();
      megabytes = static_cast<double>(heapInUse() - before) / 1048576.0;
    }
  }
  state.counters["MB"] = megabytes;
}

}  // namespace

// A shared machine's other work only ever adds time, so the floor and the loads are measured in
// ten rounds each and reported with their fastest and median round besides the mean.
double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

void inRounds(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMillisecond)
      ->MinTime(0.5)
      ->Repetitions(10)
      ->ComputeStatistics("min", fastest)
      ->ReportAggregatesOnly();
}

BENCHMARK(BM_ReadFloor)->Apply(inRounds);
BENCHMARK(BM_ReadWithStdio)->Apply(inRounds);
BENCHMARK(BM_Load)->Apply(inRounds)->UseRealTime();
BENCHMARK(BM_LoadIntoFreshTables)->Apply(inRounds)->UseRealTime();
// Reading from the disc waits rather than works: both are timed by the clock on the wall.
BENCHMARK(BM_ReadFloorFromDisc)->Apply(inRounds)->UseRealTime();
BENCHMARK(BM_LoadFromDisc)->Apply(inRounds)->UseRealTime();
BENCHMARK(BM_Libxml2Parse)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TableMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The rounds of all the benchmarks are run in a random order, so that the machine's other work,
// which comes and goes, falls on the floor and the loads alike. A flag given on the command line
// comes later and overrides this one.
int main(int argc, char** argv) {
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> args(argv, argv + argc);
  args.insert(args.begin() + (argc > 0 ? 1 : 0), interleave.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
