#include "macro/date_time.h"

#include <algorithm>
#include <cmath>

namespace petarino {
namespace {

constexpr int32_t kUnixEpochDay = 25569; // 1970-01-01 as a day number
constexpr int64_t kMillisecondsPerDay = 86'400'000;
constexpr int32_t kFirstDay = -693593; // 0001-01-01
constexpr int32_t kLastDay = 2958465;  // 9999-12-31

// Days from 1970-01-01 of a proleptic Gregorian date, after H. Hinnant's days_from_civil.
int32_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;                                              // [0, 399]
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1; // [0, 365]
    const int dayOfEra =
        yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear; // [0, 146096]
    return era * 146097 + dayOfEra - 719468;
}

// The inverse, after C. Neri and L. Schneider's Euclidean affine functions: unsigned 32-bit
// arithmetic on a day count shifted by whole 400-year cycles, a few multiplications and
// no division that the compiler cannot turn into one.
CivilDate CivilFromDays(int32_t days) {
    constexpr uint32_t kCycles = 82; // keeps every day from 0001-01-01 on non-negative
    constexpr uint32_t kShift = 719468 + 146097 * kCycles;
    const uint32_t n1 = 4 * (static_cast<uint32_t>(days) + kShift) + 3;
    const uint32_t century = n1 / 146097;
    const uint32_t n2 = (n1 % 146097) | 3;
    const uint64_t p2 = uint64_t{2939745} * n2;
    const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);
    const auto dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4; // from March 1st, [0, 365]
    const uint32_t n3 = 2141 * dayOfYear + 197913;
    const uint32_t january = dayOfYear >= 306;
    const uint32_t shiftedMonth = n3 >> 16; // [3, 14]
    return {static_cast<int>(100 * century + yearOfCentury + january) -
                static_cast<int>(400 * kCycles),
            static_cast<int>(january ? shiftedMonth - 12 : shiftedMonth),
            static_cast<int>((n3 & 0xFFFF) / 2141 + 1)};
}

} // namespace

bool CivilDate::ok() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int32_t DayNumber(const CivilDate& date) {
    return DaysFromCivil(date.year, date.month, date.day) + kUnixEpochDay;
}

CivilDate DateFromDayNumber(int32_t dayNumber) {
    return CivilFromDays(dayNumber - kUnixEpochDay);
}

int DayOfWeek(int32_t dayNumber) {
    // Day 0 was a Saturday.
    return static_cast<int>(((dayNumber % 7) + 7 + 6) % 7) + 1;
}

DateTime EncodeDateTime(const CivilDate& date, const TimeOfDay& time) {
    const double milliseconds =
        ((time.hour * 60.0 + time.minute) * 60.0 + time.second) * 1000.0 + time.millisecond;
    return DayNumber(date) + milliseconds / static_cast<double>(kMillisecondsPerDay);
}

DecodedDateTime DecodeDateTime(DateTime value) {
    if (std::isnan(value)) value = 0;
    value = std::clamp(value, static_cast<double>(kFirstDay), kLastDay + 0.99999999);
    // Rounded to the nearest millisecond, then split by floor division: a day before day 0
    // plus its time of day decodes as that day and that time, as every later one does.
    const auto milliseconds =
        static_cast<int64_t>(std::floor(value * static_cast<double>(kMillisecondsPerDay) + 0.5));
    const int64_t days =
        milliseconds / kMillisecondsPerDay - (milliseconds % kMillisecondsPerDay < 0 ? 1 : 0);
    const auto dayNumber = static_cast<int32_t>(days);
    auto timeMs = static_cast<int32_t>(milliseconds - days * kMillisecondsPerDay);

    DecodedDateTime decoded;
    decoded.date = DateFromDayNumber(dayNumber);
    decoded.dayOfWeek = DayOfWeek(dayNumber);
    decoded.time.millisecond = timeMs % 1000;
    timeMs /= 1000;
    decoded.time.second = timeMs % 60;
    timeMs /= 60;
    decoded.time.minute = timeMs % 60;
    decoded.time.hour = timeMs / 60;
    return decoded;
}

} // namespace petarino
