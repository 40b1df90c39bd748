#include "macro/local_clock.h"
#include "platform/fake/fake_kernel.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(LocalClock, GivesTodayAtMidnightAndNowWithItsTimeOfDay) {
    platform::FakeKernel kernel;
    kernel.SetNow({.year = 2026,
                   .month = 12,
                   .day = 7,
                   .hour = 23,
                   .minute = 59,
                   .second = 59,
                   .milliseconds = 500});
    EXPECT_EQ(Today(kernel), DayNumber({2026, 12, 7}));
    const DecodedDateTime now = DecodeDateTime(CurrentDateTime(kernel));
    EXPECT_EQ(now.date, (CivilDate{2026, 12, 7}));
    EXPECT_EQ(now.time, (TimeOfDay{23, 59, 59, 500}));
}

} // namespace
} // namespace petarino
