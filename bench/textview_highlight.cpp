// How fast the text view opens a long chapter and moves the phrase mark through it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <string>

#include "platform/QtTextView.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "textview/PhraseHighlighter.h"
#include "textview/StartPage.h"

namespace {

using namespace orbis;

constexpr int kSentences = 2150;

// A chapter of about 400 KB in the form DAISY text documents take: headings and paragraphs of
// sentences, each with its id and a link into its SMIL file.
const std::string& chapterPath() {
  static testing::TempDir dir;
  static std::string path = [] {
    std::string html =
        "<?xml version='1.0' encoding='utf-8'?>\n<html><head><title>Chapter</title>"
        "<style>h2 { font-size: 14pt } .sentence { color: #202020 }</style></head><body>\n";
    for (int i = 0; i < kSentences; ++i) {
      if (i % 40 == 0)
        html +=
            "<h2 id=\"h" + std::to_string(i) + "\">Section " + std::to_string(i / 40) + "</h2>\n";
      if (i % 4 == 0) html += "<p>";
      std::string id = "s" + std::to_string(i);
      html += "<span class=\"sentence\" id=\"" + id + "\"><a href=\"chapter.smil#" + id +
              "\">Sentence " + std::to_string(i) +
              " tells a little more of the story, with <strong>some</strong> words "
              "to read aloud and to follow.</a></span>\n";
      if (i % 4 == 3) html += "</p>\n";
    }
    html += "</body></html>\n";
    return dir.write("chapter.html", html).string();
  }();
  return path;
}

PhraseHighlightContext bookContext() {
  PhraseHighlightContext context;
  context.bookOpen = true;
  context.bookFolder = "/books/chapter/";
  context.startPageEntry = StartPage::entry(0);
  return context;
}

void BM_OpenChapter(benchmark::State& state) {
  testing::RecordingShell shell;
  QtTextView view(shell);
  view.widget()->resize(800, 600);
  for (auto _ : state) {
    view.navigate(chapterPath());
    benchmark::DoNotOptimize(view.scrollHeight());  // laid out to the end
  }
  state.counters["bytes"] = double(std::ifstream(chapterPath(), std::ios::ate).tellg());
}
BENCHMARK(BM_OpenChapter)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(3);

void BM_MoveMarkToNextPhrase(benchmark::State& state) {
  testing::RecordingShell shell;
  QtTextView view(shell);
  view.widget()->resize(800, 600);
  view.navigate(chapterPath());
  PhraseHighlighter highlighter(view, [](const std::string&) {});
  PhraseHighlightContext context = bookContext();
  int next = kSentences / 2;
  for (auto _ : state) {
    highlighter.highlight("s" + std::to_string(next), context);
    next = next + 1 < kSentences ? next + 1 : 0;
  }
  if (view.fullRenders() != 1) state.SkipWithError("the mark redrew the whole document");
}
BENCHMARK(BM_MoveMarkToNextPhrase)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
