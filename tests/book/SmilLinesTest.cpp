#include "book/SmilLines.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "book/LineScanner.h"

namespace orbis::testing {
namespace {

constexpr auto npos = std::string_view::npos;

// A line with its tag positions, as a line-by-line reader with a substring search finds them.
// Of the tags before kFirstPlaced only whether the line holds one is kept, as 0 or npos.
constexpr size_t kFirstPlaced = 5;
struct Expected {
  std::string raw;
  std::array<size_t, 8> tags;
};

constexpr std::array<std::string_view, 8> kTags = {"<head>", "</head>", "<body>", "</body>",
                                                   "</par>", "<par",    "<text",  "<audio"};

std::vector<Expected> expectedLines(std::string_view file) {
  std::vector<Expected> out;
  LineSource lines(file);
  std::string_view raw;
  while (lines.next(raw)) {
    if (raw.empty()) continue;
    Expected line{std::string(raw), {}};
    for (size_t i = 0; i < kTags.size(); ++i) {
      line.tags[i] = findIgnoringCase(raw, kTags[i]);
      if (i < kFirstPlaced && line.tags[i] != npos) line.tags[i] = 0;
    }
    out.push_back(line);
  }
  return out;
}

Expected asExpected(const SmilLine& line) {
  auto position = [](std::uint32_t at) { return at == SmilLine::kNone ? npos : size_t(at); };
  auto held = [&](SmilLine::Mark mark) { return line.has(mark) ? size_t(0) : npos; };
  return {std::string(line.raw),
          {held(SmilLine::kHeadOpen), held(SmilLine::kHeadClose), held(SmilLine::kBodyOpen),
           held(SmilLine::kBodyClose), held(SmilLine::kParClose), position(line.par),
           position(line.text), position(line.audio)}};
}

std::vector<Expected> walkedLines(std::string_view file) {
  std::vector<Expected> out;
  SmilLines lines(file);
  SmilLine line;
  while (lines.next(line)) out.push_back(asExpected(line));
  return out;
}

// The same lines packed (as read-ahead does) and unpacked again.
std::vector<Expected> packedLines(std::string_view file) {
  std::vector<PackedSmilLine> packed;
  EXPECT_TRUE(packSmilLines(file, packed, file.size()));
  std::vector<Expected> out;
  SmilLine line;
  for (const PackedSmilLine& each : packed) {
    unpack(file, each, line);
    out.push_back(asExpected(line));
  }
  return out;
}

void expectSameLines(std::string_view file) {
  std::vector<Expected> expected = expectedLines(file);
  for (const auto& walked : {walkedLines(file), packedLines(file)}) {
    ASSERT_EQ(walked.size(), expected.size()) << file;
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(walked[i].raw, expected[i].raw) << "line " << i << " of " << file;
      EXPECT_EQ(walked[i].tags, expected[i].tags) << "line " << i << " of " << file;
    }
  }
}

TEST(SmilLinesTest, PackingRefusesMoreLinesThanAllowed) {
  std::vector<PackedSmilLine> packed(2);
  EXPECT_TRUE(packSmilLines("", packed, 0));
  EXPECT_TRUE(packed.empty());
  EXPECT_TRUE(packSmilLines("<par>\n\n</par>", packed, 2));
  EXPECT_EQ(packed.size(), 2u);
  EXPECT_FALSE(packSmilLines("a\nb\nc", packed, 2));
  EXPECT_TRUE(packed.empty());
}

TEST(SmilLinesTest, LinesAndTagsAsALineByLineSearchFindsThem) {
  // Line ends of every kind, tags in any case, a tag cut by the end of the file or of a line,
  // a carriage return that ends no line, and lines across the 64-byte steps of the walk.
  const std::string longLine(150, 'x');
  for (std::string_view file : {
           "",
           "\n",
           "\r\n",
           "\r",
           "<",
           "<par",
           "<pa",
           "<PAR id=\"a\">\r\n<Text src=\"b\"/>",
           "a\r\n\r\n<par>\rb<audio\r\n</par></par>\n\n",
           "<head>x</head><body>\r\n</BODY>\r",
           "<par\n<par<par>\n<text<audio</par>",
           "<</par><</head><</body><<head><<body>",
       })
    expectSameLines(file);
  expectSameLines(longLine + "<par>\n" + longLine + "<audio\r\n" + std::string(63, 'y') + "<te" +
                  "\nxt>");
  for (size_t pad = 0; pad < 70; ++pad)
    expectSameLines(std::string(pad, ' ') + "<audio src=\"a\"/>\r\n<PAR>\n</par>");
}

TEST(SmilLinesTest, RandomTextOfTagPiecesMatchesTheLineByLineSearch) {
  const std::array<std::string_view, 14> pieces = {
      "<par",   "<PaR id=\"x\"", "</par>", "<text", "<audio", "<head>", "</head>",
      "<body>", "</BODY>",       "\n",     "\r\n",  "\r",     "<",      "abc"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string file;
    int count = static_cast<int>(random() % 80);
    for (int i = 0; i < count; ++i) file += pieces[random() % pieces.size()];
    expectSameLines(file);
  }
}

}  // namespace
}  // namespace orbis::testing
