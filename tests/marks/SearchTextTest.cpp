// The text a search looks through: lowering, the decoded text of a document and the phrase each
// occurrence belongs to.
#include <gtest/gtest.h>

#include <vector>

#include "marks/DocumentText.h"
#include "marks/TermOccurrences.h"
#include "marks/UnicodeLower.h"
#include "textview/HtmlDocument.h"

namespace orbis {
namespace {

TEST(UnicodeLowerTest, LowersLettersOfManyScriptsAndPassesBrokenBytes) {
  EXPECT_EQ(lowerUnicode("ÄÖÜ Straße"), "äöü straße");
  EXPECT_EQ(lowerUnicode("TRA CỨU NHANH Ạ"), "tra cứu nhanh ạ");  // Vietnamese
  EXPECT_EQ(lowerUnicode("ΣΟΦΊΑ Жизнь ØRE"), "σοφία жизнь øre");
  EXPECT_EQ(lowerUnicode("\xC3\x28 A\xFF"
                         "B\xE2\x82"),
            "\xC3\x28 a\xFF"
            "b\xE2\x82");
}

std::vector<int> creditedRows(const std::string& html, const std::string& term,
                              const PhraseRowsByFragment& phrases) {
  auto document = HtmlDocument::parse(html, "t.html");
  std::vector<int> rows;
  forEachOccurrence(documentText(*document), term, phrases, [&](int row) { rows.push_back(row); });
  return rows;
}

TEST(TermOccurrencesTest, EachOccurrenceGoesToTheLastPhraseElementBeforeIt) {
  const std::string html =
      "<html><body><h1>Happy title</h1><div id='wrap'>"
      "<p id='a'>happy <b>HAPPY</b> and happy</p><span id='page'>12</span> happy too"
      "<p id='b'>sad</p><p id='c'>very\n   happy</p></div></body></html>";
  const PhraseRowsByFragment phrases{{"a", 4}, {"b", 5}, {"c", 6}};
  // Not in the title before the first phrase; three times in a, once after it (an element of
  // no phrase does not end it), once across a line break in c.
  EXPECT_EQ(creditedRows(html, "happy", phrases), (std::vector<int>{4, 4, 4, 4, 6}));
  EXPECT_EQ(creditedRows(html, "very happy", phrases), (std::vector<int>{6}));
  EXPECT_TRUE(creditedRows(html, "happy title", phrases).empty());
  // Paragraphs do not run together.
  EXPECT_TRUE(creditedRows(html, "sadvery", phrases).empty());
}

TEST(TermOccurrencesTest, MarkupIsNotTextAndReferencesAreDecoded) {
  const std::string html =
      "<html><body><p id='a'><span class='span'>x</span><!-- span --></p>"
      "<script>var span;</script><p id='b'>Stra&szlig;e &amp; caf&#233;</p></body></html>";
  const PhraseRowsByFragment phrases{{"a", 0}, {"b", 1}};
  EXPECT_TRUE(creditedRows(html, "span", phrases).empty());
  EXPECT_EQ(creditedRows(html, "straße & café", phrases), (std::vector<int>{1}));
}

TEST(TermOccurrencesTest, DocumentsInOtherEncodingsAreSearchedAsText) {
  // Windows-1252 declared in a meta element, UTF-16LE with a byte-order mark.
  const std::string latin =
      "<html><head><meta http-equiv='Content-Type' content='text/html; "
      "charset=windows-1252'></head><body><p id='a'>S\xD8REN \x93x\x94</p>"
      "</body></html>";
  EXPECT_EQ(creditedRows(latin, lowerUnicode("Søren “x”"), {{"a", 3}}), (std::vector<int>{3}));
  const std::u16string wide = u"<html><body><p id=\"a\">Tra cứu nhanh</p></body></html>";
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : wide) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  EXPECT_EQ(creditedRows(utf16, "cứu", {{"a", 7}}), (std::vector<int>{7}));
}

}  // namespace
}  // namespace orbis
