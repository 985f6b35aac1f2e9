#include <gtest/gtest.h>

#include "book/CharacterSets.h"
#include "book/References.h"
#include "book/TimeText.h"

namespace orbis {
namespace {

TEST(CharacterSetTest, EveryGroupReachesItsCodePage) {
  struct Case {
    const char* line;
    int codePage;
  } cases[] = {
      {"<meta name=\"ncc:charset\" content=\"utf-8\"/>", 65001},
      {"content=\"UTF-7\"", 65000},
      {"content=\"Shift_JIS\"", 932},
      {"content=\"euc-jp\"", 932},
      {"content=\"cp-936\"", 936},
      {"content=\"cp-950\"", 950},
      {"content=\"ISO-8859-2\"", 1250},
      {"content=\"koi8-r\"", 1251},
      {"content=\"windows-1252\"", 1252},
      {"content=\"iso-8859-1\"", 1252},
      {"content=\"latin1\"", 1252},
      {"content=\"windows-1253\"", 1253},
      {"content=\"latin5\"", 28599},
      {"content=\"windows-1255\"", 1255},
      {"content=\"windows-1256\"", 1256},
      {"content=\"windows-1257\"", 1257},
      {"content=\"big5\"", 10002},
      {"content=\"us-ascii\"", 20127},
      {"content=\"gb2312\"", 20936},
      {"content=\"latin3\"", 28593},
      {"content=\"iso-8859-4\"", 28594},
      {"content=\"iso-8859-6\"", 28596},
      {"content=\"iso-8859-7\"", 28597},
      {"content=\"iso-8859-8\"", 28598},
      {"content=\"latin9\"", 28605},
      {"content=\"iso-2022-kr\"", 50225},
      {"content=\"euc-cn\"", 51936},
      {"content=\"euc-kr\"", 51949},
      {"content=\"klingon\"", 0},
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(codePageFromDeclaration(c.line), c.codePage) << c.line;
}

TEST(CharacterSetTest, LongerIsoNamesReachTheirOwnGroups) {
  EXPECT_EQ(codePageFromDeclaration("content=\"ISO-8859-15\""), 28605);
  EXPECT_EQ(codePageFromDeclaration("content=\"iso-8859-13\""), 1257);
  EXPECT_EQ(codePageFromDeclaration("content=\"iso-8859-10\""), 28594);
  // The whole line counts, in table order: utf-8 comes before windows-1252.
  EXPECT_EQ(codePageFromDeclaration("windows-1252 and utf-8"), 65001);
}

TEST(CharacterSetTest, ConvertsIntoUtf8) {
  EXPECT_EQ(toUtf8("Galdh\xF8piggen \x93x\x94", 1252), "Galdhøpiggen “x”");
  EXPECT_EQ(toUtf8("\xE5\xE4\xF6", 28591), "åäö");
  EXPECT_EQ(toUtf8("\xD0\xB4", 1251), "Рґ");
  EXPECT_EQ(toUtf8("\xA4", 28605), "€");
  EXPECT_EQ(toUtf8("Grüße", 65001), "Grüße");
  // Undeclared: UTF-8 stays, anything else is read as Windows-1252.
  EXPECT_EQ(toUtf8("Grüße", 0), "Grüße");
  EXPECT_EQ(toUtf8("Gr\xFC\xDF"
                   "e \x80",
                   0),
            "Grüße €");
  // A byte the code page lacks is marked, and the rest survives.
  EXPECT_EQ(toUtf8("a\xFF"
                   "b",
                   20127),
            "a\uFFFD"
            "b");
  EXPECT_EQ(toUtf8("bad \xC3 utf", 65001), "bad \uFFFD utf");
}

TEST(ReferencesTest, AmpersandFirstThenTheFixedTable) {
  EXPECT_EQ(decodeReferences("&amp;lt;"), "<");
  EXPECT_EQ(decodeReferences("Tom &amp; Jerry"), "Tom & Jerry");
  EXPECT_EQ(decodeReferences("&quot;a&quot;%20&gt;&circ;&tilde;"), "\"a\" >^~");
  EXPECT_EQ(decodeReferences("a&nbsp;b&ensp;c&emsp;d&thinsp;e&zwnj;f"), "a b c d e|f");
  EXPECT_EQ(decodeReferences("&ndash;&mdash;&lsquo;&rsquo;&sbquo;&ldquo;&rdquo;&bdquo;"),
            "–—‘’‚“”„");
  EXPECT_EQ(decodeReferences("&lsaquo;&rsaquo;&euro;"), "‹›€");
  EXPECT_EQ(decodeReferences("&ouml;&Ouml;&Uuml;&uuml;&auml;&Auml;&szlig;"), "öÖÜüäÄß");
  EXPECT_EQ(decodeReferences("caf&eacute; &unknown"), "caf&eacute; &unknown");
}

TEST(ReferencesTest, NumericReferencesAsABrowserReadsThem) {
  EXPECT_EQ(decodeReferences("&#x41;B"), "AB");
  EXPECT_EQ(decodeReferences("&#65;&#X42;"), "AB");
  EXPECT_EQ(decodeReferences("&#8212;x"), "—x");  // longer than three characters
  EXPECT_EQ(decodeReferences("Vi&#7879;t &#x1EC7;"), "Việt ệ");
  EXPECT_EQ(decodeReferences("&#150; &#x80;"), "– €");  // the Windows-1252 characters
  EXPECT_EQ(decodeReferences("a&#0;b"), "ab");
  EXPECT_EQ(decodeReferences("&#128512;"), "😀");
  EXPECT_EQ(decodeReferences("&#xD800;&#99999999999;"), "\uFFFD\uFFFD");
  // Malformed ones stay as written and the rest is still decoded.
  EXPECT_EQ(decodeReferences("&#; &#x; &#12 &#65;"), "&#; &#x; &#12 A");
  EXPECT_EQ(decodeReferences("&#x4g; &#66;"), "&#x4g; B");
}

TEST(TimeTextTest, FormatsWholeSeconds) {
  EXPECT_EQ(formatTimeText(3725.7), "01:02:05");
  EXPECT_EQ(formatTimeText(0.9), "00:00:00");
  EXPECT_EQ(formatTimeText(-5), "00:00:00");
  EXPECT_EQ(formatTimeText(90000), "25:00:00");
  EXPECT_EQ(formatTimeText(360000 * 3), "300:00:00");
  EXPECT_EQ(formatTimeText(1e15), "596523:14:07");  // beyond any book: held at the limit
}

TEST(TimeTextTest, ParsesFieldsAndFraction) {
  EXPECT_DOUBLE_EQ(parseTimeText("01:02:03.250"), 3723.25);
  EXPECT_DOUBLE_EQ(parseTimeText("0:01:00"), 60);
  EXPECT_DOUBLE_EQ(parseTimeText("00:00:06.7000000"), 6.7);  // seven decimals
  EXPECT_DOUBLE_EQ(parseTimeText("00:00:01.5"), 1.5);
  EXPECT_DOUBLE_EQ(parseTimeText(""), 0);
  EXPECT_DOUBLE_EQ(parseTimeText("12:34"), 0);
  EXPECT_DOUBLE_EQ(parseTimeText("x:y:z"), 0);
  EXPECT_DOUBLE_EQ(parseTimeText("9999999999999:00:00"), 999999999.0 * 3600);
}

TEST(TimeTextTest, NormalisesShortTexts) {
  EXPECT_EQ(normaliseTimeText("0:01:23"), "00:01:23");
  EXPECT_EQ(normaliseTimeText("00:01:23"), "00:01:23");
  EXPECT_EQ(normaliseTimeText("0:01:23.456"), "0:01:23.456");
  EXPECT_EQ(normaliseTimeText(""), "0");
}

}  // namespace
}  // namespace orbis
