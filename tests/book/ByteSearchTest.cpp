#include "book/ByteSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace orbis::testing {
namespace {

// Every search agrees with the standard library's for every start position, on texts of every
// length around the block size. Each text lies in a heap block of exactly its size, so that a
// build with the address sanitizer reports any byte read outside it.
TEST(ByteSearchTest, AgreesWithTheStandardSearchesAndStaysInsideTheText) {
  std::mt19937 random(7);
  const std::string alphabet = "ab\"#s<";
  for (size_t size = 0; size <= 70; ++size) {
    for (int round = 0; round < 12; ++round) {
      std::unique_ptr<char[]> block(new char[size ? size : 1]);
      for (size_t i = 0; i < size; ++i) block[i] = alphabet[random() % alphabet.size()];
      std::string_view text(block.get(), size);
      std::string needle;
      size_t needleLength = random() % 5;
      for (size_t i = 0; i < needleLength; ++i) needle += alphabet[random() % 3];
      for (size_t from = 0; from <= size + 1; ++from) {
        SCOPED_TRACE(std::string(text) + " from " + std::to_string(from) + " for " + needle);
        ASSERT_EQ(bytes::find(text, 'b', from), text.find('b', from));
        ASSERT_EQ(bytes::find(text, '"', from), text.find('"', from));
        ASSERT_EQ(bytes::findEither(text, '#', '"', from), text.find_first_of("#\"", from));
        ASSERT_EQ(bytes::find(text, needle, from), text.find(needle, from));
      }
    }
  }
}

// Texts of every length up to 40 compared with one byte changed at each place, or none, each in
// a heap block of exactly its size.
TEST(ByteSearchTest, EqualTextsAreToldFromThoseThatDifferInAnyOneByte) {
  for (size_t size = 0; size <= 40; ++size) {
    std::unique_ptr<char[]> a(new char[size ? size : 1]), b(new char[size ? size : 1]);
    for (size_t i = 0; i < size; ++i) a[i] = b[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(bytes::equal({a.get(), size}, {b.get(), size})) << size;
    for (size_t at = 0; at < size; ++at) {
      b[at] = '#';
      ASSERT_FALSE(bytes::equal({a.get(), size}, {b.get(), size})) << size << " at " << at;
      b[at] = a[at];
    }
    if (size > 0) {
      ASSERT_FALSE(bytes::equal({a.get(), size}, {b.get(), size - 1})) << size;
    }
  }
}

TEST(ByteSearchTest, FindsNamesAndQuotesInALineOfASmilFile) {
  const std::string line =
      "<audio src=\"a0001.mp3\" clip-begin=\"npt=1.500s\" clip-end=\"npt=2.250s\" id=\"a1\"/>";
  EXPECT_EQ(bytes::find(line, "clip-end"), line.find("clip-end"));
  EXPECT_EQ(bytes::find(line, "id="), line.find("id="));
  EXPECT_EQ(bytes::find(line, "id=", line.size() - 2), std::string::npos);
  EXPECT_EQ(bytes::find(line, "/>"), line.size() - 2);
  EXPECT_EQ(bytes::find(line, "", line.size()), line.size());
  EXPECT_EQ(bytes::find(line, "", line.size() + 1), std::string::npos);
  EXPECT_EQ(bytes::findEither(line, '#', '"', 11), 11u);
}

}  // namespace
}  // namespace orbis::testing
