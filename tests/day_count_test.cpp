#include "macro/day_count.h"
#include "platform/fake/fake_kernel.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(Today, IsTheClocksDateAtMidnight) {
    platform::FakeKernel kernel;
    kernel.SetNow({.year = 2026, .month = 12, .day = 7, .hour = 23, .minute = 59, .second = 59});
    EXPECT_EQ(Today(kernel), DayNumber({2026, 12, 7}));
}

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
