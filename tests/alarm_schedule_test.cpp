#include "alarms/alarm_schedule.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace petarino {
namespace {

WallMinute At(int year, int month, int day, int hour, int minute) {
    return {{year, month, day}, hour, minute};
}

// Seconds between two wall times as the zone's clock ran: what a timer over real time
// would have had to wait.
double RealSecondsBetween(const char* zone, const WallMinute& from, const WallMinute& to) {
    const char* const saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    setenv("TZ", zone, 1);
    tzset();
    const auto instant = [](const WallMinute& time) {
        std::tm tm{};
        tm.tm_year = time.date.year - 1900;
        tm.tm_mon = time.date.month - 1;
        tm.tm_mday = time.date.day;
        tm.tm_hour = time.hour;
        tm.tm_min = time.minute;
        tm.tm_isdst = -1;
        return std::mktime(&tm);
    };
    const double seconds = std::difftime(instant(to), instant(from));
    if (saved)
        setenv("TZ", before.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    return seconds;
}

// One tick at now: a due alarm rings and moves on, any other stays as it is.
TEST(AlarmSchedule, RingsOnceAndMovesToItsNextWallTime) {
    using enum AlarmRepeat;
    struct Row {
        const char* what;
        MemoAlarm alarm;
        WallMinute now;
        bool rings, late;
        MemoAlarm after;
        const char* zone = nullptr; // checks the real time from the alarm to its next one
        double realHours = 0;
    };
    // clang-format off
    const Row rows[] = {
        {"one-time, on its minute",       {At(2026, 5, 10, 9, 0), None, true}, At(2026, 5, 10, 9, 0), true, false, {std::nullopt, None, true}},
        {"one-time, a minute early",      {At(2026, 5, 10, 9, 0)}, At(2026, 5, 10, 8, 59), false, false, {At(2026, 5, 10, 9, 0)}},
        {"a minute behind is on time",    {At(2026, 5, 10, 9, 0), Daily}, At(2026, 5, 10, 9, 1), true, false, {At(2026, 5, 11, 9, 0), Daily}},
        {"daily over a month end",        {At(2026, 1, 31, 23, 59), Daily}, At(2026, 1, 31, 23, 59), true, false, {At(2026, 2, 1, 23, 59), Daily}},
        {"31 Jan cut to 28 Feb",          {At(2026, 1, 31, 8, 0), Monthly}, At(2026, 1, 31, 8, 0), true, false, {At(2026, 2, 28, 8, 0), Monthly, false, 31}},
        {"back to the 31st in March",     {At(2026, 2, 28, 8, 0), Monthly, false, 31}, At(2026, 2, 28, 8, 0), true, false, {At(2026, 3, 31, 8, 0), Monthly}},
        {"then cut to 30 April",          {At(2026, 3, 31, 8, 0), Monthly}, At(2026, 3, 31, 8, 0), true, false, {At(2026, 4, 30, 8, 0), Monthly, false, 31}},
        {"leap year: 31 Jan to 29 Feb",   {At(2028, 1, 31, 8, 0), Monthly}, At(2028, 1, 31, 8, 0), true, false, {At(2028, 2, 29, 8, 0), Monthly, false, 31}},
        {"yearly 29 Feb to 28 Feb",       {At(2028, 2, 29, 6, 0), Yearly}, At(2028, 2, 29, 6, 0), true, false, {At(2029, 2, 28, 6, 0), Yearly, false, 29}},
        {"back to 29 Feb in a leap year", {At(2031, 2, 28, 6, 0), Yearly, false, 29}, At(2031, 2, 28, 6, 0), true, false, {At(2032, 2, 29, 6, 0), Yearly}},
        {"weekly across spring forward",  {At(2026, 3, 22, 9, 0), Weekly}, At(2026, 3, 22, 9, 0), true, false, {At(2026, 3, 29, 9, 0), Weekly}, "Europe/Berlin", 7 * 24 - 1},
        {"weekly across fall back",       {At(2026, 10, 18, 9, 0), Weekly}, At(2026, 10, 18, 9, 0), true, false, {At(2026, 10, 25, 9, 0), Weekly}, "Europe/Berlin", 7 * 24 + 1},
        {"a skipped time rings after it", {At(2026, 3, 29, 2, 30)}, At(2026, 3, 29, 3, 0), true, true, {}},
        {"missed one-time: once, late",   {At(2026, 5, 10, 9, 0), None, true}, At(2026, 5, 13, 18, 0), true, true, {std::nullopt, None, true}},
        {"daily after a long sleep",      {At(2026, 5, 10, 9, 0), Daily}, At(2026, 8, 1, 12, 0), true, true, {At(2026, 8, 2, 9, 0), Daily}},
        {"a sleep ending before 9:00",    {At(2026, 5, 10, 9, 0), Daily}, At(2026, 8, 1, 8, 0), true, true, {At(2026, 8, 1, 9, 0), Daily}},
        {"weekly keeps its weekday",      {At(2026, 5, 4, 9, 0), Weekly}, At(2026, 6, 17, 10, 0), true, true, {At(2026, 6, 22, 9, 0), Weekly}},
        {"monthly keeps its day",         {At(2026, 1, 31, 8, 0), Monthly}, At(2026, 6, 30, 9, 0), true, true, {At(2026, 7, 31, 8, 0), Monthly}},
        {"yearly after years asleep",     {At(2020, 2, 29, 6, 0), Yearly}, At(2026, 3, 1, 0, 0), true, true, {At(2027, 2, 28, 6, 0), Yearly, false, 29}},
        {"clock set back: not again",     {At(2026, 5, 11, 9, 0), Daily}, At(2026, 5, 10, 9, 0), false, false, {At(2026, 5, 11, 9, 0), Daily}},
        {"beyond the calendar: none",     {At(9999, 12, 31, 9, 0), Yearly}, At(9999, 12, 31, 9, 0), true, false, {std::nullopt, Yearly}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(AlarmDue(row.alarm, row.now), row.rings);
        EXPECT_EQ(AlarmLate(row.alarm, row.now), row.late);
        const MemoAlarm after = row.rings ? AlarmAfterRinging(row.alarm, row.now) : row.alarm;
        EXPECT_EQ(after, row.after)
            << (after.at ? WallMinuteText(*after.at) : "none") << " day " << after.ownDay;
        if (row.zone) {
            EXPECT_EQ(RealSecondsBetween(row.zone, *row.alarm.at, *after.at), row.realHours * 3600);
        }
    }
}

} // namespace
} // namespace petarino
