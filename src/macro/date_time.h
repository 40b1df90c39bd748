// The date-time value: days since 1899-12-30 (day 0) in the proleptic Gregorian
// calendar, the fraction being the time of day. Calendar arithmetic lives here.
#pragma once

#include <cstdint>

namespace petarino {

using DateTime = double;

struct CivilDate {
    int year = 1;  // [1, 9999] when ok
    int month = 1; // [1, 12]
    int day = 1;   // [1, DaysInMonth(year, month)]

    bool ok() const;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct TimeOfDay {
    int hour = 0;        // [0, 23]
    int minute = 0;      // [0, 59]
    int second = 0;      // [0, 59]
    int millisecond = 0; // [0, 999]

    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

struct DecodedDateTime {
    CivilDate date;
    TimeOfDay time;
    int dayOfWeek = 1; // [1, 7], 1 = Sunday
};

constexpr bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month); // [28, 31]; 0 for a month outside [1, 12]

// Day 0 is 1899-12-30; 0001-01-01 is day -693593, 9999-12-31 day 2958465.
int32_t DayNumber(const CivilDate& date);
CivilDate DateFromDayNumber(int32_t dayNumber);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(int32_t dayNumber);

DateTime EncodeDateTime(const CivilDate& date, const TimeOfDay& time);

// Rounds to the nearest millisecond first. The date is the floor of the value and the time
// of day what is left, before day 0 too: -0.25 is 1899-12-29 18:00.
DecodedDateTime DecodeDateTime(DateTime value);

} // namespace petarino
