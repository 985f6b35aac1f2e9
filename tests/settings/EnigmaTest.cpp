#include "settings/Enigma.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace orbis {
namespace {

TEST(Enigma, TablesHoldTheSame91PrintableCharacters) {
  const std::string a(CA_Enigma::tableA());
  const std::string b(CA_Enigma::tableB());
  ASSERT_EQ(a.size(), 91u);
  EXPECT_TRUE(std::is_permutation(a.begin(), a.end(), b.begin(), b.end()));
  EXPECT_EQ(std::set<char>(a.begin(), a.end()).size(), 91u) << "a character occurs twice";
  EXPECT_NE(a.find(' '), std::string::npos) << "the blank belongs to the set";
  for (char c : a) EXPECT_TRUE(c >= 32 && c <= 126) << int(c);
  for (char left : {'^', '`', '{', '}'}) EXPECT_EQ(a.find(left), std::string::npos) << left;
}

// Vectors computed by a separate, literal re-implementation (Python) that turns the tables
// character by character instead of counting steps.
TEST(Enigma, MatchesIndependentlyComputedVectors) {
  struct Vector {
    std::string plain, scrambled;
  };
  const Vector vectors[] = {
      {"1.000000", "3nL36GnS"},
      {"#ff8000", "X:Ze6Gn"},
      {"/home/leser/Orbis Velora/ZipTemp/", "kD4BE7i.*oaVSx.V638=uGW!z7A|%l77G"},
      {"aaaaaaaaaa", "[b)glrPhA*"},
      {"Gr\xc3\xbc\xc3\x9f"
       "e^`{}\r\n x",
       "l;\xc3\xbc\xc3\x9f@^`{}\r\n ,"},
  };
  for (const auto& v : vectors) {
    EXPECT_EQ(CA_Enigma::scramble(v.plain), v.scrambled) << v.plain;
    EXPECT_EQ(CA_Enigma::unscramble(v.scrambled), v.plain) << v.plain;
  }
}

TEST(Enigma, RoundTripsEveryByteAndRandomValues) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(CA_Enigma::unscramble(CA_Enigma::scramble(all)), all);
  std::reverse(all.begin(), all.end());
  EXPECT_EQ(CA_Enigma::unscramble(CA_Enigma::scramble(all)), all);

  std::mt19937 random(4711);
  for (int round = 0; round < 200; ++round) {
    std::string value(random() % 300, '\0');
    for (char& c : value) c = static_cast<char>(random() % 256);
    ASSERT_EQ(CA_Enigma::unscramble(CA_Enigma::scramble(value)), value);
  }
}

TEST(Enigma, CharactersOutsideTheSetPassUnchangedInPlace) {
  const std::string plain = "ab\r\ncd\t\x80\xff^`{}";
  const std::string scrambled = CA_Enigma::scramble(plain);
  ASSERT_EQ(scrambled.size(), plain.size());
  for (size_t i : {2u, 3u, 6u, 7u, 8u, 9u, 10u, 11u, 12u}) EXPECT_EQ(scrambled[i], plain[i]) << i;
  // Replaced characters stay inside the set, so a scrambled value never gains a line end.
  for (size_t i : {0u, 1u, 4u, 5u}) {
    EXPECT_NE(CA_Enigma::tableA().find(scrambled[i]), std::string::npos);
  }
}

TEST(Enigma, EachValueStartsAfreshAndTheTablesTurnPerCharacter) {
  // The same value scrambles the same way every time: no state carries over between lines.
  EXPECT_EQ(CA_Enigma::scramble("Volume 100"), CA_Enigma::scramble("Volume 100"));
  // A character outside the set still turns the tables: the 'x' after it scrambles differently.
  EXPECT_NE(CA_Enigma::scramble("\nx").substr(1), CA_Enigma::scramble("x"));
  // A value is not scrambled as a prefix of a longer one would shift it.
  EXPECT_EQ(CA_Enigma::scramble("ab").substr(0, 1), CA_Enigma::scramble("a"));
}

}  // namespace
}  // namespace orbis
