#include "textview/HtmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;

// Copies one document of a shared book into a fresh folder, so nothing can write beside it.
std::string copyBookFile(const testing::TempDir& dir, const std::string& book,
                         const std::string& file) {
  fs::path target = dir.path() / file;
  fs::copy_file(fs::path(ORBIS_SHARED_BOOKS_DIR) / book / file, target);
  return target.string();
}

TEST(HtmlDocument, ReadsUtf16LittleEndianWithByteOrderMark) {
  testing::TempDir dir;
  auto doc = HtmlDocument::load(copyBookFile(dir, "amis-help-vi", "amishelp-entity.html"));
  ASSERT_NE(doc->body(), nullptr);
  std::string text = doc->innerText(doc->body());
  // Vietnamese letters only survive when the UTF-16 text was decoded, not read as bytes.
  EXPECT_NE(text.find("Hệ thống thông tin đa phương tiện"), std::string::npos)
      << text.substr(0, 300);
  EXPECT_EQ(text.find('\0'), std::string::npos);
}

TEST(HtmlDocument, ReadsEncodingFromXmlDeclaration) {
  testing::TempDir dir;
  auto doc = HtmlDocument::load(copyBookFile(dir, "climbing-mountain", "ncconlydemo.html"));
  std::string text = doc->innerText(doc->body());
  EXPECT_NE(text.find("ø"), std::string::npos) << text;  // Windows-1252 0xF8
  EXPECT_EQ(doc->title(), "Climbing the Highest Mountain");
}

TEST(HtmlDocument, FindsElementsByIdAndReadsTheirText) {
  testing::TempDir dir;
  auto doc = HtmlDocument::load(copyBookFile(dir, "dontworrybehappy", "content.html"));
  HtmlElement element = doc->getElementById("dtb2");
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(HtmlDocument::tagName(element), "span");
  EXPECT_EQ(doc->innerText(element), "Bobby McFerrin");
  EXPECT_EQ(doc->getElementById("DTB2"), nullptr);
  EXPECT_EQ(doc->getElementById("no-such-id"), nullptr);
}

TEST(HtmlDocument, InnerHtmlUsesUpperCaseTagsAndQuotedAttributes) {
  auto doc = HtmlDocument::parse(
      "<html><body><p id=x>a &amp; b<a href='s.smil#p1' class=c>link</a><br>c</p></body></html>",
      "/t.html");
  EXPECT_EQ(doc->innerHTML(doc->getElementById("x")),
            "a &amp; b<A href=\"s.smil#p1\" class=\"c\">link</A><BR>c");
  EXPECT_EQ(doc->innerText(doc->getElementById("x")), "a & blink\nc");
}

TEST(HtmlDocument, InnerTextCollapsesWhiteSpaceAndBreaksBetweenBlocks) {
  auto doc = HtmlDocument::parse(
      "<body><div id=d>\n  <h1> Title\n </h1>\n <p>one\n\t two</p><p>three</p></div></body>",
      "/t.html");
  EXPECT_EQ(doc->innerText(doc->getElementById("d")), "Title\none two\nthree");
}

// Every element of a real document can be marked and unmarked again: the markup read back
// after the mark is exactly what the highlighter wrote, and removing it restores the original.
TEST(HtmlDocument, MarkRoundTripsOnEveryElementOfRealBooks) {
  const std::vector<std::pair<std::string, std::string>> documents = {
      {"dontworrybehappy", "content.html"},
      {"daisy-brochure", "daisybrochureforstickv3.html"},
      {"amis-help-sv", "amishelp.html"},
      {"amis-help-vi", "amishelp-entity.html"}};
  const std::string tag = "<SPAN style=\"BACKGROUND-COLOR: #ff8000\">";
  for (const auto& [book, file] : documents) {
    testing::TempDir dir;
    auto doc = HtmlDocument::load(copyBookFile(dir, book, file));
    std::vector<std::string> ids;
    HtmlDocument::forEachElement(doc->body(), [&](HtmlElement e) {
      std::string id = HtmlDocument::attribute(e, "id");
      if (!id.empty()) ids.push_back(id);
    });
    ASSERT_FALSE(ids.empty()) << book;
    std::vector<HtmlChange::Kind> kinds;
    doc->onChange([&](const HtmlChange& change) { kinds.push_back(change.kind); });
    for (const std::string& id : ids) {
      HtmlElement element = doc->getElementById(id);
      std::string original = doc->innerHTML(element);
      doc->setInnerHTML(element, tag + original + "</SPAN>");
      element = doc->getElementById(id);
      ASSERT_EQ(doc->innerHTML(element), tag + original + "</SPAN>") << book << " #" << id;
      doc->setInnerHTML(element, original);
      ASSERT_EQ(doc->innerHTML(doc->getElementById(id)), original) << book << " #" << id;
    }
    ASSERT_EQ(kinds.size(), 2 * ids.size());
    for (size_t i = 0; i < kinds.size(); i += 2) {
      EXPECT_EQ(kinds[i], HtmlChange::Kind::Wrapped) << book << " #" << ids[i / 2];
      EXPECT_EQ(kinds[i + 1], HtmlChange::Kind::Unwrapped) << book << " #" << ids[i / 2];
    }
  }
}

TEST(HtmlDocument, ReportsTheStyleOfAddedAndRemovedMarks) {
  auto doc = HtmlDocument::parse("<body><span id=s>word</span></body>", "/t.html");
  std::vector<HtmlChange> changes;
  doc->onChange([&](const HtmlChange& change) { changes.push_back(change); });
  HtmlElement span = doc->getElementById("s");
  doc->setInnerHTML(span, "<SPAN style=\"COLOR: #00ff00\">word</SPAN>");
  doc->setInnerHTML(span, "word");
  doc->setInnerHTML(span, "other <b>words</b>");
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0].kind, HtmlChange::Kind::Wrapped);
  EXPECT_EQ(changes[0].markStyle, "COLOR: #00ff00");
  EXPECT_EQ(changes[1].kind, HtmlChange::Kind::Unwrapped);
  EXPECT_EQ(changes[1].markStyle, "COLOR: #00ff00");
  EXPECT_EQ(changes[2].kind, HtmlChange::Kind::Replaced);
  EXPECT_EQ(changes[2].element, span);
}

TEST(HtmlDocument, BadInputGivesAnEmptyButUsableDocument) {
  testing::TempDir dir;
  auto missing = HtmlDocument::load((dir.path() / "missing.html").string());
  ASSERT_NE(missing->body(), nullptr);
  EXPECT_EQ(missing->innerText(missing->body()), "");
  auto garbage = HtmlDocument::parse(std::string("\xff\xfe<\0b\0", 6) + "</x></y><<<&&", "/g.html");
  ASSERT_NE(garbage->body(), nullptr);
  garbage->setInnerHTML(garbage->body(), "</div></div><p>after</p>");
  EXPECT_EQ(garbage->innerText(garbage->body()), "after");
  auto unknown = HtmlDocument::parse("<?xml version='1.0' encoding='no-such'?><p>x</p>", "/u.html");
  EXPECT_EQ(unknown->innerText(unknown->body()), "x");
}

}  // namespace
}  // namespace orbis
