#include <gtest/gtest.h>

#include "book/ValueRules.h"

namespace orbis {
namespace {

using namespace rules;

TEST(ValueRulesTest, MetadataValueIsTheFirstQuotedValueAfterTheKeyword) {
  std::string line = "<meta name=\"dc:title\" content=\"A &amp; B\"/>";
  EXPECT_EQ(value(line, line.find("dc:title")), "A &amp; B");
  std::string reversed = "<meta content=\"x\" name=\"dc:title\"/>";  // content first: nothing
  EXPECT_EQ(value(reversed, reversed.find("dc:title")), "");
  EXPECT_EQ(value("<meta name=dc:title content=\"unclosed", 0), "unclosed");
  EXPECT_EQ(value("nothing here", 0), "");
  EXPECT_EQ(value("short", 99), "");
  EXPECT_EQ(timeValue("content=\"0:01:02\"", 0), "00:01:02");
}

TEST(ValueRulesTest, LinkFileStopsAtFragmentOrClosingQuote) {
  std::string line = "<h1 id=\"a\"><a href=\"Sub\\File.SMIL#x1\">T</a></h1>";
  EXPECT_EQ(linkFile(line, 0), "Sub\\File.SMIL");
  EXPECT_EQ(linkFile("<a href=\"a.smil\">No fragment</a>", 0), "a.smil");
  EXPECT_EQ(linkFile("<A HREF=\"a.smil#x\">upper</A>", 0), "");  // attribute names are lower case
  EXPECT_EQ(linkFile("<a href=a.smil#x>", 0), "a.smil");
  EXPECT_EQ(linkFile("<a title=\"b\"", 0), "");
}

TEST(ValueRulesTest, FragmentRunsToTheNextQuote) {
  EXPECT_EQ(fragment("<a href=\"a.smil#frag_1\">x</a>", 0), "frag_1");
  EXPECT_EQ(fragment("<a href=\"a.smil#open", 0), "open");
  EXPECT_EQ(fragment("<a href=\"a.smil\">", 0), "");
}

TEST(ValueRulesTest, LinkTextSkipsEmptyTagsAndKeepsLoneLessThan) {
  std::string line = "<h2 class=\"x\"><a href=\"a.smil#b\">1 < 2 & more</a></h2>";
  EXPECT_EQ(linkText(line, line.find("<a href")), "1 < 2 & more");
  EXPECT_EQ(linkText("<h1><a href=\"a#b\"><span>x</span></a>", 0), "");  // `"><` never starts
  EXPECT_EQ(linkText("<a href=\"a#b\">open to the end", 0), "open to the end");
  EXPECT_EQ(linkText("<a href=\"a#b\">", 0), "");
  EXPECT_EQ(labelText("<span class=\"page-normal\"><a href=\"a#b\">iv<br/></a>", 0), "iv");
}

TEST(ValueRulesTest, SmilAttributes) {
  std::string par = "<par endsync=\"last\" id=\"par_1\" system-required=\"footnote-on\">";
  EXPECT_EQ(id(par, 0), "par_1");
  std::string text = "<text src=\"Chapter.HTML#sec_2\" id=\"txt_2\"/>";
  EXPECT_EQ(textSource(text, 0), "Chapter.HTML");
  EXPECT_EQ(textSource("<text src=\"whole.html\" id=\"t\"/>", 0), "whole.html");
  EXPECT_EQ(id(text, 0), "txt_2");
  std::string audio =
      "<audio src=\"a b.mp3\" clip-begin=\"npt=1234.567s\" clip-end=\"npt=1240.1s\" id=\"a\"/>";
  EXPECT_EQ(audioSource(audio, 0), "a b.mp3");
  EXPECT_EQ(clipBegin(audio, 0), "1234.567");
  EXPECT_EQ(clipEnd(audio, 0), "1240.1");
  EXPECT_EQ(clipBegin("<audio src=\"x\" clip-begin=\"npt=0s\"/>", 0), "0");
  // Other clock forms: whatever lies at the positions.
  EXPECT_EQ(clipBegin("<audio clip-begin=\"0:00:01.5\" clip-end=\"x\"/>", 0),
            ":01.5\" clip-end=\"x\"/>");
  EXPECT_EQ(clipEnd("<audio clip-end=\"", 0), "");
}

}  // namespace
}  // namespace orbis
