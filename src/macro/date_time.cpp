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

CivilDate CivilFromDays(int32_t days) {
    days += 719468;
    const int era = (days >= 0 ? days : days - 146096) / 146097;
    const int dayOfEra = days - era * 146097; // [0, 146096]
    const int yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365; // [0, 399]
    const int dayOfYear =
        dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);        // [0, 365]
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;                        // [0, 11]
    const int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;              // [1, 31]
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9; // [1, 12]
    return {yearOfEra + era * 400 + (month <= 2), month, day};
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
    const int64_t magnitude =
        std::llround(std::fabs(value) * static_cast<double>(kMillisecondsPerDay));
    const auto wholeDays = static_cast<int32_t>(magnitude / kMillisecondsPerDay);
    auto timeMs = static_cast<int32_t>(magnitude % kMillisecondsPerDay);
    const int32_t dayNumber = std::min(value < 0 ? -wholeDays : wholeDays, kLastDay);

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
