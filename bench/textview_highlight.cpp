// How fast the text view opens a long chapter and moves the phrase mark through it, for a DAISY
// 2.02 HTML chapter and for a DAISY 3 DTBook chapter (which the view turns into HTML first).
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
std::string sentenceText(int i) {
  return "Sentence " + std::to_string(i) +
         " tells a little more of the story, with <strong>some</strong> words "
         "to read aloud and to follow.";
}

std::string htmlChapter() {
  std::string html =
      "<?xml version='1.0' encoding='utf-8'?>\n<html><head><title>Chapter</title>"
      "<style>h2 { font-size: 14pt } .sentence { color: #202020 }</style></head><body>\n";
  for (int i = 0; i < kSentences; ++i) {
    if (i % 40 == 0)
      html += "<h2 id=\"h" + std::to_string(i) + "\">Section " + std::to_string(i / 40) + "</h2>\n";
    if (i % 4 == 0) html += "<p>";
    std::string id = "s" + std::to_string(i);
    html += "<span class=\"sentence\" id=\"" + id + "\"><a href=\"chapter.smil#" + id + "\">" +
            sentenceText(i) + "</a></span>\n";
    if (i % 4 == 3) html += "</p>\n";
  }
  return html + "</body></html>\n";
}

std::string dtbookChapter() {
  std::string xml =
      "<?xml version='1.0' encoding='utf-8'?>\n<dtbook "
      "xmlns=\"http://www.daisy.org/z3986/2005/dtbook/\"><head/><book><bodymatter><level1>\n";
  for (int i = 0; i < kSentences; ++i) {
    if (i % 40 == 0) {
      if (i > 0) xml += "</level2>\n";
      xml += "<level2><h2 id=\"h" + std::to_string(i) + "\">Section " + std::to_string(i / 40) +
             "</h2>\n";
    }
    if (i % 4 == 0) xml += "<p>";
    std::string id = "s" + std::to_string(i);
    xml += "<sent id=\"" + id + "\" smilref=\"chapter.smil#" + id + "\">" + sentenceText(i) +
           "</sent>\n";
    if (i % 4 == 3) xml += "</p>\n";
  }
  return xml + "</level2></level1></bodymatter></book></dtbook>\n";
}

// Chapter 0 is the HTML one, chapter 1 the DTBook one, both about 400 KB.
const std::string& chapterPath(int format) {
  static testing::TempDir dir;
  static const std::string paths[] = {dir.write("chapter.html", htmlChapter()).string(),
                                      dir.write("dtbook.xml", dtbookChapter()).string()};
  return paths[format];
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
    view.navigate(chapterPath(int(state.range(0))));
    benchmark::DoNotOptimize(view.scrollHeight());  // laid out to the end
  }
  state.counters["bytes"] =
      double(std::ifstream(chapterPath(int(state.range(0))), std::ios::ate).tellg());
}
BENCHMARK(BM_OpenChapter)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->Iterations(3);

void BM_MoveMarkToNextPhrase(benchmark::State& state) {
  testing::RecordingShell shell;
  QtTextView view(shell);
  view.widget()->resize(800, 600);
  view.navigate(chapterPath(int(state.range(0))));
  PhraseHighlighter highlighter(view, [](const std::string&) {});
  PhraseHighlightContext context = bookContext();
  int next = kSentences / 2;
  for (auto _ : state) {
    highlighter.highlight("s" + std::to_string(next), context);
    next = next + 1 < kSentences ? next + 1 : 0;
  }
  if (view.fullRenders() != 1) state.SkipWithError("the mark redrew the whole document");
}
BENCHMARK(BM_MoveMarkToNextPhrase)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
