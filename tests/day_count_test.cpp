#include "macro/date_time.h"
#include "macro/day_count.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(DayCountText, IsPlainDecimal) {
    const int32_t leapYear = DayNumber({1997, 1, 1}) - DayNumber({1996, 1, 1});
    EXPECT_EQ(DayCountText(leapYear), "366");
    EXPECT_EQ(DayCountText(-leapYear), "-366");
    EXPECT_EQ(DayCountText(0), "0");
    EXPECT_EQ(DayCountText(10), "10");
    EXPECT_EQ(DayCountText(3652058), "3652058");
    EXPECT_EQ(DayCountText(-3652058), "-3652058");
}

} // namespace
} // namespace petarino
