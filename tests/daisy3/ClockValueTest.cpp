#include "daisy3/ClockValue.h"

#include <gtest/gtest.h>

namespace orbis {
namespace {

TEST(ClockValue, ReadsEveryClockFormAndRefusesTheRest) {
  EXPECT_DOUBLE_EQ(*parseClockValue("0:00:03.172"), 3.172);
  EXPECT_DOUBLE_EQ(*parseClockValue("12:01:02.5"), 12 * 3600 + 62.5);
  EXPECT_DOUBLE_EQ(*parseClockValue("00:03.172"), 3.172);
  EXPECT_DOUBLE_EQ(*parseClockValue("61:00"), 3660);
  EXPECT_DOUBLE_EQ(*parseClockValue("3.172s"), 3.172);
  EXPECT_DOUBLE_EQ(*parseClockValue("1.5min"), 90);
  EXPECT_DOUBLE_EQ(*parseClockValue("2h"), 7200);
  EXPECT_DOUBLE_EQ(*parseClockValue("3172ms"), 3.172);
  EXPECT_DOUBLE_EQ(*parseClockValue(" 3.172 "), 3.172);
  EXPECT_DOUBLE_EQ(*parseClockValue("npt=12.345s"), 12.345);
  for (const char* bad : {"", "s", "-1s", "1:2:3:4", "0:61:00", "0:00:75", "1.2.3", "3 s", "abc",
                          "0x10", "1e3", "inf"})
    EXPECT_FALSE(parseClockValue(bad)) << bad;
  EXPECT_EQ(clipSecondsText(3.1724), "3.172");
}

}  // namespace
}  // namespace orbis
