#include "textview/SearchTermHighlighter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/InMemoryTextView.h"
#include "support/TempDir.h"
#include "textview/HtmlDocument.h"
#include "textview/SearchMarkup.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;

int count(const std::string& haystack, const std::string& needle) {
  int n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size()))
    ++n;
  return n;
}

class SearchTermHighlighterTest : public ::testing::Test {
 protected:
  void show(const std::string& name, const std::string& html) {
    view.navigate(dir.write(name, html).string());
  }
  std::string body() { return view.document()->innerHTML(view.document()->body()); }
  std::string text() { return view.document()->innerText(view.document()->body()); }

  testing::TempDir dir;
  testing::InMemoryTextView view;
  SearchTermHighlighter highlighter{view};
  SearchHighlightContext context;
  const std::string mark = "<SPAN style=\"BACKGROUND-COLOR: #ff8000\">";
};

TEST_F(SearchTermHighlighterTest, MarksEveryOccurrenceAdjacentOnesIncluded) {
  show("a.html", "<body><p id=p>Anan banana</p></body>");
  highlighter.highlight("an", context);
  EXPECT_EQ(view.document()->innerHTML(view.document()->getElementById("p")),
            mark + "An</SPAN>" + mark + "an</SPAN> b" + mark + "an</SPAN>" + mark + "an</SPAN>a");
}

// The term also occurs in tag names, attribute values and a character reference; marking it
// there would break the document ("an" inside every "<span").
TEST_F(SearchTermHighlighterTest, MarksOnlyTextNeverTagsAttributesOrReferences) {
  show("a.html",
       "<body><span id=s class=\"an span\" title='span &amp; an'>span an</span>"
       "<p id=q>a &amp; amp<!-- span --></p><script>var span = 1;</script></body>");
  std::string textBefore = text();
  for (std::string term : {"span", "an", "amp", "class"}) {
    highlighter.highlight(term, context);
    ASSERT_NE(view.document()->getElementById("s"), nullptr) << term;
    EXPECT_EQ(HtmlDocument::attribute(view.document()->getElementById("s"), "title"), "span & an")
        << term;
    EXPECT_EQ(text(), textBefore) << term;
  }
  EXPECT_EQ(count(body(), mark), 0);  // "class" is not in the text: the old marks are gone
  highlighter.highlight("span", context);
  EXPECT_EQ(count(body(), mark + "span</SPAN>"), 1);
  EXPECT_NE(body().find("<!-- span -->"), std::string::npos);
  EXPECT_NE(body().find("var span = 1;"), std::string::npos);
}

TEST_F(SearchTermHighlighterTest, ANewTermRemovesEveryMarkOfTheOldOne) {
  fs::copy_file(fs::path(ORBIS_SHARED_BOOKS_DIR) / "dontworrybehappy" / "content.html",
                dir.path() / "content.html");
  view.navigate((dir.path() / "content.html").string());
  std::string original = body();
  std::string lowered = lowerSameLength(text());
  highlighter.highlight("be", context);
  EXPECT_EQ(count(body(), mark), count(lowered, "be"));
  EXPECT_GT(count(body(), mark), 5);
  context.style = HighlightStyle{.background = false, .bold = true};  // a new style meanwhile
  highlighter.highlight("worry", context);
  EXPECT_EQ(count(body(), mark), 0);
  EXPECT_EQ(count(body(), "<SPAN style=\"FONT-WEIGHT: BOLD\">"), count(lowered, "worry"));
  std::string markup = body();
  unmarkTermInText(markup, "worry", "<span style=\"FONT-WEIGHT: BOLD\">");
  EXPECT_EQ(markup, original);
}

TEST_F(SearchTermHighlighterTest, TheSameTermInTheSameDocumentIsMarkedOnce) {
  show("a.html", "<body><p>one word</p></body>");
  highlighter.highlight("word", context);
  highlighter.highlight("word", context);
  EXPECT_EQ(count(body(), mark), 1);
}

TEST_F(SearchTermHighlighterTest, LeavesTextSearchesNccStartPagesAndEmptyTermsAlone) {
  show("a.html", "<body><p>word</p></body>");
  context.textSearch = true;
  highlighter.highlight("word", context);
  context.textSearch = false;
  highlighter.highlight("", context);
  show("ncc.html", "<body><p>word</p></body>");
  highlighter.highlight("word", context);
  show("documents/html/start_en.html", "<body><p>word</p></body>");
  highlighter.highlight("word", context);
  context.startPageShown = true;
  highlighter.highlight("word", context);
  EXPECT_EQ(count(body(), "<SPAN"), 0);
}

TEST(SearchMarkup, LowersLettersBeyondAsciiWithoutChangingLength) {
  EXPECT_EQ(lowerSameLength("ÄÖÜ Straße ĀĹŽ ДОМ Ё"), "äöü straße āĺž дом ё");
}

}  // namespace
}  // namespace orbis
