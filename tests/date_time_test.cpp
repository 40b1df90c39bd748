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

// The clock's value is a date plus a time of day; before day 0 that sum lies above the
// date's own day number, and must still decode as that date and that time.
TEST(DecodeDateTime, GivesBackTheDateAndTimeOfDayEncodedOnEitherSideOfDayZero) {
    const struct {
        CivilDate date;
        TimeOfDay time;
    } cases[] = {
        {{1899, 12, 29}, {13, 0, 0, 0}},    // afternoon of day -1
        {{1899, 12, 29}, {6, 30, 15, 250}}, // morning of day -1
        {{1899, 12, 29}, {}},               // day -1 at midnight
        {{1899, 12, 30}, {}},               // day 0 at midnight
        {{1899, 12, 30}, {23, 59, 59, 999}},
        {{1867, 12, 31}, {23, 59, 59, 0}}, // the last second before the first era
        {{1868, 1, 1}, {}},
        {{1, 1, 1}, {}},
        {{1, 1, 1}, {12, 0, 0, 1}},
        {{1600, 2, 29}, {0, 0, 0, 1}},
        {{1997, 3, 9}, {14, 5, 7, 0}},
    };
    for (const auto& [date, time] : cases) {
        const auto decoded = DecodeDateTime(EncodeDateTime(date, time));
        EXPECT_EQ(decoded.date, date) << date.year << '-' << date.month << '-' << date.day;
        EXPECT_EQ(decoded.time, time) << date.year << '-' << date.month << '-' << date.day;
        EXPECT_EQ(decoded.dayOfWeek, DayOfWeek(DayNumber(date)));
    }
}

TEST(DecodeDateTime, TakesTheFloorOfANegativeValueAsItsDate) {
    const auto quarterBefore = DecodeDateTime(-0.25);
    EXPECT_EQ(quarterBefore.date, (CivilDate{1899, 12, 29}));
    EXPECT_EQ(quarterBefore.time, (TimeOfDay{18, 0, 0, 0}));
    const auto wholeDays = DecodeDateTime(-2.0);
    EXPECT_EQ(wholeDays.date, (CivilDate{1899, 12, 28}));
    EXPECT_EQ(wholeDays.time, (TimeOfDay{}));
    // Half a millisecond before day 0 rounds up to it, not down to the day before.
    const auto roundedUp = DecodeDateTime(-0.4 / 86400000.0);
    EXPECT_EQ(roundedUp.date, (CivilDate{1899, 12, 30}));
    EXPECT_EQ(roundedUp.time, (TimeOfDay{}));
}

TEST(DecodeDateTime, KeepsEveryTimeOfDayOnTheDaysAroundDayZero) {
    for (int32_t day = -3; day <= 2; ++day) {
        for (int32_t second = 0; second < 86400; second += 7) {
            const TimeOfDay time{second / 3600, second / 60 % 60, second % 60, 0};
            const CivilDate date = DateFromDayNumber(day);
            const auto decoded = DecodeDateTime(EncodeDateTime(date, time));
            ASSERT_EQ(decoded.date, date) << day << ' ' << second;
            ASSERT_EQ(decoded.time, time) << day << ' ' << second;
        }
    }
}

TEST(DecodeDateTime, StaysInsideTheCalendarForAnyValue) {
    for (double value : {1e300, -1e300, 3e6, -7e5, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(DecodeDateTime(value).date.ok()) << value;
    }
}

} // namespace
} // namespace petarino
