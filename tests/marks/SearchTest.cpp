// The three searches, the hit list and the moves to hits, on the main window's logic with every
// port simulated, over a generated book and over real books.
#include "marks/Search.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/CommandIds.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

using namespace orbis::testing;

class SearchTest : public ::testing::Test, public MainDialogRig {
 protected:
  // The rig's generated book: "Eins" (title row 0, phrases 0-2), "Zwei" (1, 3-5), "Zwei.1"
  // (2, 6-8), "Drei" (3, 9-11); each phrase's text reads "Phrase k of <heading>.".
  void openGenerated() {
    dlg = &startWithBook();
    ASSERT_TRUE(dlg->book().open);
  }
  void openReal(const std::string& name) {
    const std::filesystem::path target = books.path() / name;
    std::filesystem::copy(std::filesystem::path(ORBIS_SHARED_BOOKS_DIR) / name, target,
                          std::filesystem::copy_options::recursive);
    dlg = &start();
    dlg->openBookAtStart(target.string());
    ASSERT_TRUE(dlg->book().open);
  }
  // Runs a search command with the term typed; answers the question of the search with the
  // hit count message it showed ("" when none).
  std::string search(int command, std::optional<std::string> term) {
    dialogs.texts.push_back(std::move(term));
    const size_t before = dialogs.messages.size();
    dlg->onCommand(command);
    if (dialogs.messages.size() == before) return "";
    EXPECT_EQ(dialogs.messages.back().caption, "Information");
    return dialogs.messages.back().text;
  }
  const std::vector<std::string>& hitList() { return panel.entries[kPanelSearchHits]; }
  int heading() const { return dlg->tree().itemData(dlg->tree().selected()); }
  int phrase() const { return dlg->tables().phrase.selectedRow(); }
  bool enabled(int id) const { return dlg->menu().isEnabled(id); }
  void choose(int index) { dlg->panel().choose(kPanelSearchHits, index); }

  CLumen2Dlg* dlg = nullptr;
};

TEST_F(SearchTest, HeadingsAreFoundInAnyLetterCaseAndVisitedInTurn) {
  openGenerated();
  EXPECT_EQ(search(cmd::kSearchHeadings, "wE"), "2 Treffer.");
  EXPECT_EQ(hitList(), (std::vector<std::string>{"Zwei", "Zwei.1"}));
  EXPECT_TRUE(enabled(cmd::kSearchNext));
  EXPECT_FALSE(enabled(cmd::kSearchPrevious));

  dlg->onCommand(cmd::kSearchNext);
  EXPECT_EQ(heading(), 1);
  EXPECT_EQ(phrase(), 3);  // the heading starts at its first phrase
  EXPECT_FALSE(enabled(cmd::kSearchPrevious));
  dlg->onCommand(cmd::kSearchNext);
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(panel.marked[kPanelSearchHits], 1);
  EXPECT_FALSE(enabled(cmd::kSearchNext));  // the last hit
  EXPECT_TRUE(enabled(cmd::kSearchPrevious));
  dlg->onCommand(cmd::kSearchPrevious);
  EXPECT_EQ(heading(), 1);
  EXPECT_FALSE(enabled(cmd::kSearchPrevious));
  EXPECT_TRUE(enabled(cmd::kSearchNext));

  // Nothing found: the message still comes, with the count, in English too.
  dlg->languageCommand(kLanguageEnglish);
  EXPECT_EQ(search(cmd::kSearchHeadings, "xyz"), "The search result is 0.");
  EXPECT_TRUE(hitList().empty());
  EXPECT_FALSE(enabled(cmd::kSearchNext));
}

TEST_F(SearchTest, CancelLeavesTheHitsAndAsksNothingMore) {
  openGenerated();
  search(cmd::kSearchHeadings, "zwei");
  EXPECT_EQ(search(cmd::kSearchBook, std::nullopt), "");
  EXPECT_EQ(hitList().size(), 2u);
  EXPECT_EQ(dlg->tables().hit.rowCount(), 2);
  EXPECT_FALSE(busyNote.open);
  EXPECT_TRUE(busyNote.shown.empty());
}

TEST_F(SearchTest, TextSearchFindsTheCurrentHeadingsPhrasesFirstToLast) {
  openGenerated();
  // "Eins" also stands in the document's title line, before the first phrase: not a hit.
  EXPECT_EQ(search(cmd::kSearchText, "EINS"), "3 Treffer.");
  EXPECT_EQ(hitList(), (std::vector<std::string>{"Eins", "Eins", "Eins"}));
  const BookTable& hits = dlg->tables().hit;
  EXPECT_EQ(hits.cell(2, HitCol::EventId), "2");
  EXPECT_EQ(hits.cell(2, HitCol::Term), "eins");
  EXPECT_EQ(hits.cell(2, HitCol::Fragment), "t0_2");
  EXPECT_EQ(busyNote.shown, (std::vector<std::string>{"Suche läuft. Bitte warten..."}));
  EXPECT_FALSE(busyNote.open);

  choose(2);
  EXPECT_EQ(heading(), 0);
  EXPECT_EQ(phrase(), 2);
  // The hits belong to this heading: they go when another one starts.
  dlg->onCommand(ctl::kButtonNextLevel);
  EXPECT_EQ(heading(), 1);
  EXPECT_TRUE(hitList().empty());
  EXPECT_EQ(hits.rowCount(), 0);
  EXPECT_FALSE(enabled(cmd::kSearchNext));
}

TEST_F(SearchTest, HeadingHitsOfASearchAfterASearchInTextSurviveTheHeadingsTheyStart) {
  openGenerated();
  search(cmd::kSearchText, "phrase 1");
  search(cmd::kSearchHeadings, "zwei");
  choose(1);
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(hitList().size(), 2u);
  choose(0);
  EXPECT_EQ(heading(), 1);
}

TEST_F(SearchTest, BookSearchPassesOverAMissingDocumentAndLeadsIntoOtherHeadings) {
  openGenerated();
  std::filesystem::remove(books.path() / "book" / "t0002.html");
  bool noteUpAtMessage = true;
  dialogs.onOpen = [&] { noteUpAtMessage = busyNote.open; };
  EXPECT_EQ(search(cmd::kSearchBook, "Phrase 2 OF"), "3 Treffer.");
  EXPECT_FALSE(noteUpAtMessage);
  EXPECT_GE(busyNote.busySteps, 3);  // after each document, the missing one too
  EXPECT_EQ(hitList(), (std::vector<std::string>{"Eins", "Zwei.1", "Drei"}));  // not "Zwei"
  EXPECT_EQ(dlg->tables().hit.cell(1, HitCol::TitleId), "2");

  choose(1);  // from "Eins" into "Zwei.1": its heading, then the phrase
  EXPECT_EQ(heading(), 2);
  EXPECT_EQ(phrase(), 7);
  EXPECT_EQ(textView.locationName(), (books.path() / "book" / "t0003.html").string());
  choose(1);  // chosen again: back to the phrase
  EXPECT_EQ(phrase(), 7);
}

TEST_F(SearchTest, RealBookFirstPhrasesOfHeadingsAndEveryOccurrenceAreFound) {
  openReal("dontworrybehappy");
  // Every occurrence in the text, each in a phrase of its own; the NCC is not searched.
  EXPECT_EQ(search(cmd::kSearchBook, "HAPPY"), "16 Treffer.");
  EXPECT_EQ(hitList().size(), 16u);
  EXPECT_EQ(hitList().front(), "Don't Worry, Be Happy");

  dlg->onCommand(ctl::kButtonNextLevel);  // "Introductio", whose first phrase is its heading
  ASSERT_EQ(heading(), 1);
  const int first = phrase();
  EXPECT_EQ(search(cmd::kSearchText, "introductio"), "1 Treffer.");
  EXPECT_EQ(dlg->tables().hit.cell(0, HitCol::EventId), std::to_string(first));
  EXPECT_EQ(search(cmd::kSearchText, "happy"), "2 Treffer.");
}

TEST_F(SearchTest, RealBooksInOtherEncodingsAreSearchedInTheirText) {
  openReal("amis-help-vi");  // a UTF-16 document of numeric references
  EXPECT_NE(search(cmd::kSearchBook, "TRA CỨU NHANH"), "0 Treffer.");
  EXPECT_EQ(hitList().front(), "Tra cứu nhanh");
  EXPECT_EQ(search(cmd::kSearchHeadings, "TRA CỨU"), "1 Treffer.");
  openReal("climbing-mountain");  // Windows-1252
  EXPECT_EQ(search(cmd::kSearchHeadings, "GALDHØPIGGEN"), "1 Treffer.");
}

TEST_F(SearchTest, ABookWithTextOnlyInItsNccOffersNoSearchOfText) {
  openReal("dontworrybehappy-ncconly");
  EXPECT_FALSE(enabled(cmd::kSearchBook));
  EXPECT_FALSE(enabled(cmd::kSearchText));
  EXPECT_FALSE(dlg->onCommand(cmd::kSearchBook));
  EXPECT_TRUE(enabled(cmd::kSearchHeadings));
}

}  // namespace
}  // namespace orbis
