// Searching the whole text of the large generated book (bench/LargeBook.h), beside the time
// libxml2 needs to parse the same text documents: every document must be parsed to search its
// text, so the parse is the floor of a search in the book.
#include <benchmark/benchmark.h>
#include <libxml/HTMLparser.h>

#include <memory>
#include <string>
#include <vector>

#include "LargeBook.h"
#include "book/BookLoader.h"
#include "book/BookTables.h"
#include "book/HeadingsTree.h"
#include "marks/BookSearch.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using orbis::testing::BookBuilder;

struct LoadedBook {
  orbis::testing::TempDir dir;
  orbis::HeadingsTree tree;
  orbis::BookTables tables;
  std::vector<std::string> textDocuments;
  bool loaded = false;

  LoadedBook() {
    BookBuilder builder(dir.path() / "book");
    orbis::bench::describeLargeBook(builder);
    const std::string folder = builder.write();
    for (int i = 0; i < orbis::bench::kHeadings; ++i)
      textDocuments.push_back(folder + BookBuilder::textName(i));
    orbis::testing::ScriptedDialogs dialogs;
    orbis::BookLoader loader(tree, tables, folder, dialogs);
    loaded = loader.run();
  }
};

LoadedBook& book() {
  static LoadedBook loaded;
  return loaded;
}

// found: the occurrences the search should report, checked once.
void searchInBook(benchmark::State& state, const std::string& term, long found) {
  LoadedBook& loaded = book();
  if (!loaded.loaded) state.SkipWithError("the book did not load");
  long occurrences = 0;
  for (auto _ : state) {
    occurrences = 0;
    orbis::forEachOccurrenceInBook(loaded.tables.phrase, term, [&](int) { ++occurrences; });
  }
  if (occurrences != found) state.SkipWithError("unexpected number of occurrences");
  state.counters["occurrences"] = static_cast<double>(occurrences);
}

// A term found once per heading.
void BM_SearchInBookOncePerHeading(benchmark::State& state) {
  searchInBook(state, "phrase 17 of heading", orbis::bench::kHeadings);
}
// A term in every phrase.
void BM_SearchInBookInEveryPhrase(benchmark::State& state) {
  searchInBook(state, "phrase", orbis::bench::kHeadings * orbis::bench::kPhrasesPerHeading);
}
// A term found nowhere.
void BM_SearchInBookNowhere(benchmark::State& state) {
  searchInBook(state, "zebra", 0);
}

// The floor: each text document parsed into a DOM tree with the options the text view uses.
void BM_Libxml2ParseTextDocuments(benchmark::State& state) {
  LoadedBook& loaded = book();
  for (auto _ : state) {
    for (const std::string& path : loaded.textDocuments) {
      htmlDocPtr document =
          htmlReadFile(path.c_str(), nullptr,
                       HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                           HTML_PARSE_NONET | HTML_PARSE_NODEFDTD);
      benchmark::DoNotOptimize(document);
      xmlFreeDoc(document);
    }
  }
}

void inRounds(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5)->ReportAggregatesOnly();
}

BENCHMARK(BM_Libxml2ParseTextDocuments)->Apply(inRounds);
BENCHMARK(BM_SearchInBookOncePerHeading)->Apply(inRounds);
BENCHMARK(BM_SearchInBookInEveryPhrase)->Apply(inRounds);
BENCHMARK(BM_SearchInBookNowhere)->Apply(inRounds);

}  // namespace

BENCHMARK_MAIN();
