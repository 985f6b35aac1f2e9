#include "daisy3/DtbookHtml.h"

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include "textview/HtmlDocument.h"

namespace orbis {
namespace {

constexpr const char* kDtbook = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE dtbook PUBLIC "-//NISO//DTD dtbook 2005-2//EN" "http://www.daisy.org/z3986/2005/dtbook-2005-2.dtd">
<dtbook xmlns="http://www.daisy.org/z3986/2005/dtbook/" version="2005-2">
<head><meta name="dc:Title" content="A &amp; B"/></head>
<book><bodymatter>
<level1 id="l1"><h1 id="h">Chapter</h1>
<p id="p1"><sent id="s1">One <em>two</em> <strong>three</strong>.</sent><br/><span id="s2">Four<noteref id="r1" idref="#n1">1</noteref></span></p>
<pagenum id="pg" page="normal">7</pagenum>
<level2><hd id="hd">Section</hd>
<list type="ol"><li id="li">Item</li></list>
<table><tr><td id="td">Cell</td></tr></table>
<imggroup><img id="img" src="tree.jpg" alt="A tree"/><caption id="cap">Caption</caption></imggroup>
<note id="n1"><p>Note text</p></note><sidebar id="sb"><p>Aside</p></sidebar><prodnote id="pn">Described</prodnote>
</level2></level1>
</bodymatter></book></dtbook>)";

TEST(DtbookHtml, ShowsTheStructureWithEveryIdKept) {
  ASSERT_TRUE(looksLikeDtbook(kDtbook));
  const auto doc = HtmlDocument::parse(kDtbook, "/book/dtbook.xml");
  EXPECT_EQ(doc->title(), "A & B");
  struct Expected {
    const char* id;
    const char* tag;
    const char* text;
  };
  for (const Expected& e : {Expected{"h", "h1", "Chapter"},
                            {"hd", "h2", "Section"},
                            {"s1", "span", "One two three."},
                            {"s2", "span", "Four1"},
                            {"r1", "sup", "1"},
                            {"pg", "span", "7"},
                            {"li", "li", "Item"},
                            {"td", "td", "Cell"},
                            {"img", "img", ""},
                            {"n1", "div", "Note text"},
                            {"sb", "div", "Aside"},
                            {"pn", "div", "Described"}}) {
    HtmlElement element = doc->getElementById(e.id);
    ASSERT_NE(element, nullptr) << e.id;
    EXPECT_EQ(HtmlDocument::tagName(element), e.tag) << e.id;
    EXPECT_EQ(doc->innerText(element), e.text) << e.id;
  }
  EXPECT_EQ(HtmlDocument::attribute(doc->getElementById("img"), "alt"), "A tree");
  EXPECT_EQ(HtmlDocument::attribute(doc->getElementById("n1"), "class"), "note");
  EXPECT_EQ(HtmlDocument::tagName(doc->getElementById("li")->parent), "ol");
  EXPECT_NE(doc->innerText(doc->getElementById("p1")).find('\n'), std::string::npos);  // <br>
}

TEST(DtbookHtml, OtherDocumentsAreLeftToTheHtmlParser) {
  EXPECT_FALSE(looksLikeDtbook("<html><body><p>dtbook</p></body></html>"));
  EXPECT_FALSE(dtbookToHtml("<html><body/></html>", "x.html"));
}

}  // namespace
}  // namespace orbis
