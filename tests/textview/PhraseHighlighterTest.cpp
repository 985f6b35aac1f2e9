#include "textview/PhraseHighlighter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/InMemoryTextView.h"
#include "support/TempDir.h"
#include "textview/HtmlDocument.h"
#include "textview/StartPage.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;
const std::string kBackgroundTag = "<SPAN style=\"BACKGROUND-COLOR: #ff8000\">";

class PhraseHighlighterTest : public ::testing::Test {
 protected:
  PhraseHighlighterTest() {
    fs::copy_file(fs::path(ORBIS_SHARED_BOOKS_DIR) / "dontworrybehappy" / "content.html",
                  dir.path() / "content.html");
    context.bookOpen = true;
    context.bookFolder = dir.str() + "/";
    context.identity = {"Don't Worry", "F00000", "1992-03-23", "7", "0:01:00", "1 of 1"};
    context.startPageEntry = StartPage::entry(0);
    view.navigate(document("content.html"));
    original = inner("dtb1");
  }
  std::string document(const std::string& name) const { return (dir.path() / name).string(); }
  std::string inner(const std::string& id) {
    return view.document()->innerHTML(view.document()->getElementById(id));
  }
  int marks() {
    std::string all = view.document()->innerHTML(view.document()->body());
    int count = 0;
    for (size_t at = all.find("<SPAN style="); at != std::string::npos;
         at = all.find("<SPAN style=", at + 1))
      ++count;
    return count;
  }

  testing::TempDir dir;
  testing::InMemoryTextView view;
  std::vector<std::string> lines;
  PhraseHighlighter highlighter{view, [this](const std::string& text) { lines.push_back(text); }};
  PhraseHighlightContext context;
  std::string original;
};

TEST_F(PhraseHighlighterTest, MovesTheMarkThroughConsecutivePhrases) {
  std::string second = inner("dtb2");
  highlighter.highlight("dtb1", context);
  EXPECT_EQ(inner("dtb1"), kBackgroundTag + original + "</SPAN>");
  highlighter.highlight("dtb2", context);
  EXPECT_EQ(inner("dtb1"), original);
  EXPECT_EQ(inner("dtb2"), kBackgroundTag + second + "</SPAN>");
  EXPECT_EQ(marks(), 1);
  EXPECT_EQ(lines, (std::vector<std::string>{"Don't Worry, Be Happy", "Bobby McFerrin"}));
}

TEST_F(PhraseHighlighterTest, TheSameFragmentAgainLeavesMarkAndScrollPosition) {
  view.setHeight(20);
  highlighter.highlight("dtb30", context);
  std::string marked = inner("dtb30");
  view.setScrollTop(view.scrollTop() + 3);  // the reader scrolled a little
  int top = view.scrollTop();
  int changes = 0;
  view.document()->onChange([&](const HtmlChange&) { ++changes; });
  highlighter.highlight("DTB30", context);  // ids compare without regard to case
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(inner("dtb30"), marked);
  EXPECT_EQ(view.scrollTop(), top);
  EXPECT_EQ(lines.size(), 1u);
}

TEST_F(PhraseHighlighterTest, ANewDocumentIsMarkedWithoutTouchingItsOtherElements) {
  fs::copy_file(document("content.html"), document("second.html"));
  highlighter.highlight("dtb1", context);
  view.navigate(document("second.html"));
  highlighter.highlight("dtb1", context);  // same id, other document: marked anew
  EXPECT_EQ(inner("dtb1"), kBackgroundTag + original + "</SPAN>");
  EXPECT_EQ(marks(), 1);
  EXPECT_EQ(highlighter.lastDocument(), context.bookFolder + document("second.html"));
}

// A book unpacked into the same folder as the last one (the ZIP folder, a drive) has documents
// with the same names: text that happens to look like the old mark is not the old mark.
TEST_F(PhraseHighlighterTest, AnotherBookWithEqualFileNamesKeepsItsOwnMarkup) {
  highlighter.highlight("dtb1", context);
  std::string ownSpan = kBackgroundTag + "already styled by its author</SPAN>";
  dir.write("content.html", "<html><body><p id=dtb1>" + ownSpan + "</p><p id=dtb2>x</p></body>");
  view.navigate(document("content.html"));
  context.identity[1] = "another-book";
  highlighter.highlight("dtb2", context);
  EXPECT_EQ(inner("dtb1"), ownSpan);
  EXPECT_EQ(inner("dtb2"), kBackgroundTag + "x</SPAN>");
}

TEST_F(PhraseHighlighterTest, SwitchingTheStyleStillRemovesTheOldMark) {
  std::string second = inner("dtb2");
  std::string third = inner("dtb3");
  highlighter.highlight("dtb1", context);
  context.style.background = false;
  context.style.bold = true;
  highlighter.highlight("dtb2", context);
  EXPECT_EQ(inner("dtb1"), original);
  EXPECT_EQ(inner("dtb2"), "<SPAN style=\"FONT-WEIGHT: bold\">" + second + "</SPAN>");
  context.style = HighlightStyle{.background = false, .italic = true};
  highlighter.highlight("dtb3", context);
  EXPECT_EQ(inner("dtb2"), second);
  EXPECT_EQ(inner("dtb3"), "<SPAN style=\"FONT-STYLE: italic\">" + third + "</SPAN>");
  context.style = HighlightStyle{.background = false, .fontColour = true, .colour = "#00ff00"};
  highlighter.highlight("dtb4", context);
  EXPECT_EQ(inner("dtb3"), third);
  EXPECT_EQ(inner("dtb4").rfind("<SPAN style=\"COLOR: #00ff00\">", 0), 0u);
}

TEST_F(PhraseHighlighterTest, CentresTheElementOrShowsTheEndNearTheEnd) {
  view.setHeight(100);
  HtmlDocument& doc = *view.document();
  int scrollMax = view.scrollHeight() - 100;
  highlighter.highlight("dtb20", context);
  int middleTop = view.topOf(doc.getElementById("dtb20"));
  ASSERT_GT(middleTop, 50);
  ASSERT_LT(middleTop, scrollMax);
  EXPECT_EQ(view.scrollTop(), middleTop - 50);

  highlighter.highlight("dtb58", context);  // the last phrase: it cannot reach the middle
  ASSERT_GT(view.topOf(doc.getElementById("dtb58")), scrollMax);
  EXPECT_EQ(view.scrollTop(), scrollMax);
}

TEST_F(PhraseHighlighterTest, RemovingTheMarkKeepsTheEndOfASpanInsideTheElement) {
  dir.write("nested.html",
            "<body><p id=a><span class=x>one</span> two</p><p id=b>three</p></body>");
  view.navigate(document("nested.html"));
  std::string before = inner("a");
  highlighter.highlight("a", context);
  highlighter.highlight("b", context);
  EXPECT_EQ(inner("a"), before);
}

TEST_F(PhraseHighlighterTest, DoesNothingOnTheStartPageOrWithoutABook) {
  context.startPageShown = true;
  highlighter.highlight("dtb1", context);
  context.startPageShown = false;
  context.bookOpen = false;
  highlighter.highlight("dtb1", context);
  context.bookOpen = true;
  dir.write("documents/html/start_de.html", "<body><p id=dtb1>Willkommen</p></body>");
  view.navigate(document("documents/html/start_de.html"));
  highlighter.highlight("dtb1", context);
  EXPECT_EQ(marks(), 0);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(highlighter.lastId(), "");
}

TEST_F(PhraseHighlighterTest, AnUnknownIdRemovesTheOldMarkAndMarksNothing) {
  highlighter.highlight("dtb1", context);
  highlighter.highlight("no-such-id", context);
  EXPECT_EQ(inner("dtb1"), original);
  EXPECT_EQ(marks(), 0);
  EXPECT_EQ(lines.back(), "");  // not the text of the phrase before
  EXPECT_EQ(highlighter.lastId(), "no-such-id");
}

}  // namespace
}  // namespace orbis
