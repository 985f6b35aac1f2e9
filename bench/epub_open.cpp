// Opening an EPUB as the player does: a generated text-only book of about 3 MB (packed) is
// unpacked into a fresh cache folder, loaded into the tables, and the document of its first
// phrase turned into the text view's document, which is all that stands before reading starts.
// The same for the real moby-dick.epub (1.6 MB), and a content document of about 400 KB turned
// into the text view's document, as when a chapter is shown.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "book/BookLoader.h"
#include "book/BookPaths.h"
#include "library/EpubFile.h"
#include "library/MinizipReader.h"
#include "support/EpubBuilder.h"
#include "support/RecordingBusyNote.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "textview/HtmlDocument.h"

namespace {

using orbis::testing::EpubBuilder;

// Words drawn at random, so that the archive packs no tighter than a real book's text.
std::string sentence(std::mt19937& random) {
  static const char* const kLetters = "abcdefghijklmnopqrstuvwxyz";
  std::string out;
  const int words = 8 + static_cast<int>(random() % 10);
  for (int w = 0; w < words; ++w) {
    const int letters = 2 + static_cast<int>(random() % 8);
    for (int l = 0; l < letters; ++l) out += kLetters[random() % 26];
    out += w + 1 < words ? ' ' : '.';
  }
  return out;
}

struct GeneratedEpub {
  orbis::testing::TempDir dir;
  std::string path;
  GeneratedEpub() {
    std::mt19937 random(42);
    EpubBuilder builder(dir.path());
    builder.unitIds = false;
    for (int c = 0; c < 120; ++c) {
      std::vector<std::string> paragraphs;
      for (int p = 0; p < 80; ++p) {
        std::string text;
        for (int s = 0; s < 6; ++s) text += sentence(random) + " ";
        paragraphs.push_back(text);
      }
      builder.chapter({"Chapter " + std::to_string(c + 1), paragraphs, 1, std::to_string(c + 1),
                       "A note.", true});
    }
    path = builder.write();
  }
};

std::string& generated() {
  static GeneratedEpub book;
  return book.path;
}

void openAndStart(benchmark::State& state, const std::string& epub) {
  orbis::MinizipReader zip;
  orbis::testing::ScriptedDialogs dialogs;
  orbis::testing::RecordingBusyNote busy;
  orbis::HeadingsTree tree;
  orbis::BookTables tables;
  int phrases = 0;
  for (auto _ : state) {
    state.PauseTiming();
    orbis::testing::TempDir cache;
    state.ResumeTiming();
    const auto folder = orbis::epubBookFolder({zip, dialogs, busy, cache.str() + "/"}, epub);
    if (!folder) {
      state.SkipWithError("not unpacked");
      return;
    }
    orbis::BookLoader loader(tree, tables, *folder, dialogs);
    loader.run();
    const std::string first(tables.phrase.cell(0, orbis::PhraseCol::Document));
    auto document = orbis::HtmlDocument::parse(orbis::readBookFile(first).value_or(""), first);
    benchmark::DoNotOptimize(
        document->getElementById(tables.phrase.cell(0, orbis::PhraseCol::TextId)));
    phrases = tables.phrase.rowCount();
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
  state.counters["epub_MB"] = static_cast<double>(std::filesystem::file_size(epub)) / 1e6;
  state.counters["phrases"] = phrases;
}

void BM_OpenGeneratedEpubAndStart(benchmark::State& state) {
  openAndStart(state, generated());
}
BENCHMARK(BM_OpenGeneratedEpubAndStart)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenMobyDickAndStart(benchmark::State& state) {
  openAndStart(state, std::string(ORBIS_SHARED_BOOKS_DIR) + "/epub/moby-dick.epub");
}
BENCHMARK(BM_OpenMobyDickAndStart)->Unit(benchmark::kMillisecond)->Iterations(5);

// A chapter of about 400 KB: sections of paragraphs without ids, as plain EPUBs have them.
void BM_ShowXhtmlChapter(benchmark::State& state) {
  std::mt19937 random(7);
  std::string chapter =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" "
      "xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>C</title></head><body>"
      "<section><h1>Chapter</h1>\n";
  while (chapter.size() < 400 * 1024) {
    chapter += "<p>";
    for (int s = 0; s < 6; ++s) chapter += sentence(random) + " <em>word</em> ";
    chapter += "</p>\n";
  }
  chapter += "</section></body></html>\n";
  for (auto _ : state) {
    auto document = orbis::HtmlDocument::parse(chapter, "/book/OEBPS/chapter.xhtml");
    benchmark::DoNotOptimize(document->getElementById("orbis-unit-chapter-500"));
  }
  state.counters["KB"] = static_cast<double>(chapter.size()) / 1024;
}
BENCHMARK(BM_ShowXhtmlChapter)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
