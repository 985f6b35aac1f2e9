#include <gtest/gtest.h>

#include "update/ReleaseText.h"

namespace orbis {
namespace {

TEST(ReleaseTextTest, SplitsAtTheFirstLineEndOfAnyKind) {
  EXPECT_EQ(splitReleaseText("12").identifier, "12");
  EXPECT_EQ(splitReleaseText("12\r\n3").identifier, "12");
  EXPECT_EQ(splitReleaseText("12\r\n3").rest, "3");
  EXPECT_EQ(splitReleaseText("12\r\r\n\n3").rest, "3");
  EXPECT_EQ(splitReleaseText("12\r3\n4").rest, "3\n4");
}

TEST(ReleaseTextTest, OnlyPlainDigitsThatFitAreANumber) {
  EXPECT_EQ(releaseNumber("18446744073709551615"), 18446744073709551615ull);
  for (const char* bad : {"", "18446744073709551616", "-1", "+1", " 1", "1 ", "12a", "0x1"}) {
    EXPECT_FALSE(releaseNumber(bad)) << bad;
  }
}

}  // namespace
}  // namespace orbis
