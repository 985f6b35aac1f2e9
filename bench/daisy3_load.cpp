// Loading a large generated DAISY 3 book: 2,000 headings, one SMIL file each, 100,000 phrases,
// 2,000 pages, 2,000 navList targets, one DTBook. Beside the load it measures, on the same files
// in the same run, the time libxml2 needs to parse the files the loader reads (the package
// file, the NCX, the SMIL files) into DOM trees, and the memory the loaded tables take. A DTBook
// chapter of about 400 KB is turned into the text view's document, as when it is shown.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "book/BookLoader.h"
#include "support/Daisy3Builder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "textview/HtmlDocument.h"

namespace {

using orbis::testing::Daisy3Builder;

constexpr int kHeadings = 2000;
constexpr int kPhrasesPerHeading = 50;

struct GeneratedBook {
  orbis::testing::TempDir dir;
  std::string folder;
  std::vector<std::string> files;  // the files the loader reads

  GeneratedBook() {
    Daisy3Builder builder(dir.path() / "book");
    builder.audio = false;  // loading opens no audio; the clips are written all the same
    builder.dtbook = true;
    for (int i = 0; i < kHeadings; ++i) {
      builder.heading(1, "Heading " + std::to_string(i + 1), kPhrasesPerHeading);
      builder.page(std::to_string(i + 1), "normal", i);
    }
    std::vector<int> all(kHeadings);
    for (int i = 0; i < kHeadings; ++i) all[i] = i;
    builder.navList("Notes", all);
    folder = builder.write();
    files = {folder + "book.opf", folder + "book.ncx"};
    for (int i = 0; i < kHeadings; ++i) files.push_back(folder + Daisy3Builder::smilName(i));
  }
};

GeneratedBook& book() {
  static GeneratedBook generated;
  return generated;
}

// A DTBook chapter of about 400 KB: 200 paragraphs of ten sentences.
std::string dtbookChapter() {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<dtbook "
      "xmlns=\"http://www.daisy.org/z3986/2005/dtbook/\"><head/><book><bodymatter><level1>"
      "<h1 id=\"h\">Chapter</h1>\n";
  for (int p = 0; out.size() < 400 * 1024; ++p) {
    out += "<p>";
    for (int s = 0; s < 10; ++s)
      out += "<sent id=\"s" + std::to_string(p) + "_" + std::to_string(s) +
             "\" smilref=\"a.smil#p\">A sentence of the chapter with <em>some</em> words in "
             "it, as books have them.</sent> ";
    out += "</p>\n";
  }
  return out + "</level1></bodymatter></book></dtbook>\n";
}

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
};

void BM_Daisy3Load(benchmark::State& state) {
  SeasonedReader reader;
  for (auto _ : state)
    if (!reader.load()) state.SkipWithError("load failed");
  if (reader.tables.phrase.rowCount() != kHeadings * kPhrasesPerHeading ||
      reader.tables.page.rowCount() != kHeadings || reader.tables.group.rowCount() != kHeadings)
    state.SkipWithError("unexpected table sizes");
  state.counters["phrases"] = reader.tables.phrase.rowCount();
}

void BM_Daisy3Libxml2Parse(benchmark::State& state) {
  int parsed = 0;
  for (auto _ : state) {
    parsed = 0;
    for (const std::string& file : book().files) {
      xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr,
                                  XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
      parsed += doc != nullptr;
      xmlFreeDoc(doc);
    }
  }
  if (parsed != static_cast<int>(book().files.size())) state.SkipWithError("a file did not parse");
  state.counters["files"] = parsed;
}

size_t heapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void BM_Daisy3TableMemory(benchmark::State& state) {
  double megabytes = 0;
  for (auto _ : state) {
    malloc_trim(0);
    const size_t before = heapInUse();
    auto tree = std::make_unique<orbis::HeadingsTree>();
    auto tables = std::make_unique<orbis::BookTables>();
    orbis::testing::ScriptedDialogs dialogs;
    orbis::BookLoader loader(*tree, *tables, book().folder, dialogs);
    loader.run();
    megabytes = static_cast<double>(heapInUse() - before) / 1048576.0;
  }
  state.counters["MB"] = megabytes;
}

// The DTBook chapter parsed into the document the text view shows.
void BM_DtbookChapterDocument(benchmark::State& state) {
  const std::string chapter = dtbookChapter();
  for (auto _ : state) {
    auto document = orbis::HtmlDocument::parse(chapter, "/book/dtbook.xml");
    benchmark::DoNotOptimize(document->body());
  }
  state.counters["KB"] = static_cast<double>(chapter.size()) / 1024.0;
}

double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

}  // namespace

BENCHMARK(BM_Daisy3Load)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->ReportAggregatesOnly()
    ->UseRealTime();
BENCHMARK(BM_Daisy3Libxml2Parse)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Daisy3TableMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DtbookChapterDocument)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
