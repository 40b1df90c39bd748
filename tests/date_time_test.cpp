#include "macro/date_time.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(DayNumber, CountsFromTheLastDaysOf1899) {
    EXPECT_EQ(DayNumber({1899, 12, 30}), 0);
    EXPECT_EQ(DayNumber({1900, 1, 1}), 2);
    EXPECT_EQ(DayNumber({1997, 3, 9}), 35498);
    EXPECT_EQ(DayNumber({1, 1, 1}), -693593);
    EXPECT_EQ(DayNumber({9999, 12, 31}), 2958465);
}

TEST(DayNumber, MatchesTheYearDayFormulaOnEveryDayOfTheCalendar) {
    for (int32_t n = DayNumber({1, 1, 1}); n <= DayNumber({9999, 12, 31}); ++n) {
        const CivilDate date = DateFromDayNumber(n);
        ASSERT_TRUE(date.ok()) << n;
        int dayOfYear = date.day;
        for (int m = 1; m < date.month; ++m)
            dayOfYear += DaysInMonth(date.year, m);
        const int y = date.year - 1;
        ASSERT_EQ(y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - 693594, n);
        ASSERT_EQ(DayNumber(date), n);
    }
}

TEST(CivilDate, KnowsWhichDatesExist) {
    EXPECT_TRUE((CivilDate{2000, 2, 29}.ok()));
    EXPECT_FALSE((CivilDate{1900, 2, 29}.ok()));
    EXPECT_FALSE((CivilDate{1996, 2, 30}.ok()));
    EXPECT_FALSE((CivilDate{0, 1, 1}.ok()));
    EXPECT_FALSE((CivilDate{10000, 1, 1}.ok()));
    EXPECT_FALSE((CivilDate{1996, 13, 1}.ok()));
    EXPECT_FALSE((CivilDate{1996, 1, 0}.ok()));
}

TEST(DecodeDateTime, SplitsDateTimeAndDayOfWeek) {
    const auto decoded = DecodeDateTime(EncodeDateTime({1997, 3, 9}, {14, 5, 7, 0}));
    EXPECT_EQ(decoded.date, (CivilDate{1997, 3, 9}));
    EXPECT_EQ(decoded.time, (TimeOfDay{14, 5, 7, 0}));
    EXPECT_EQ(decoded.dayOfWeek, 1); // a Sunday
}

TEST(DecodeDateTime, RoundsToTheNearestMillisecond) {
    const double almostMidnight = DayNumber({2026, 12, 7}) + (86400000 - 0.4) / 86400000.0;
    EXPECT_EQ(DecodeDateTime(almostMidnight).date, (CivilDate{2026, 12, 8}));
    EXPECT_EQ(DecodeDateTime(almostMidnight).time, (TimeOfDay{}));
    const auto decoded = DecodeDateTime(EncodeDateTime({2026, 12, 7}, {23, 59, 59, 999}));
    EXPECT_EQ(decoded.time, (TimeOfDay{23, 59, 59, 999}));
}

TEST(DecodeDateTime, KeepsTheTimeOfNegativeValuesInTheFractionsMagnitude) {
    const auto decoded = DecodeDateTime(-1.25);
    EXPECT_EQ(decoded.date, (CivilDate{1899, 12, 29}));
    EXPECT_EQ(decoded.time, (TimeOfDay{6, 0, 0, 0}));
}

TEST(DecodeDateTime, StaysInsideTheCalendarForAnyValue) {
    for (double value : {1e300, -1e300, 3e6, -7e5, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(DecodeDateTime(value).date.ok()) << value;
    }
}

} // namespace
} // namespace petarino
