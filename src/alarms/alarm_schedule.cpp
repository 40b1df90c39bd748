#include "alarms/alarm_schedule.h"

#include <algorithm>

namespace petarino {
namespace {

constexpr int64_t kMinutesPerDay = 24 * 60;

// The first of now + step * k (k >= 1) after now, stepping whole days: wall minutes run
// evenly, so this is exact.
WallMinute NextByDays(const WallMinute& at, const WallMinute& now, int64_t days) {
    const int64_t step = days * kMinutesPerDay;
    const int64_t behind = std::max<int64_t>(0, now.Count() - at.Count());
    return WallMinute::FromCount(at.Count() + (behind / step + 1) * step);
}

// The alarm's clock time on its own day of the month `months` after year 0 January,
// the day cut to the month's length.
WallMinute InMonth(const WallMinute& at, int aimedDay, int64_t months) {
    const int year = static_cast<int>(months / 12);
    const int month = static_cast<int>(months % 12) + 1;
    return {{year, month, std::min(aimedDay, DaysInMonth(year, month))}, at.hour, at.minute};
}

std::optional<WallMinute> NextByMonths(const WallMinute& at, int aimedDay, const WallMinute& now,
                                       int64_t step) {
    const int64_t start = int64_t{at.date.year} * 12 + at.date.month - 1;
    const int64_t nowMonth = int64_t{now.date.year} * 12 + now.date.month - 1;
    // Starts at the step that reaches now's month, at most one step short of the answer.
    int64_t months = start + std::max<int64_t>(1, (nowMonth - start) / step) * step;
    while (InMonth(at, aimedDay, months).Count() <= now.Count())
        months += step;
    const WallMinute next = InMonth(at, aimedDay, months);
    return next.ok() ? std::optional(next) : std::nullopt;
}

} // namespace

bool AlarmDue(const MemoAlarm& alarm, const WallMinute& now) {
    return alarm.at && alarm.at->Count() <= now.Count();
}

bool AlarmLate(const MemoAlarm& alarm, const WallMinute& now) {
    return alarm.at && now.Count() - alarm.at->Count() > 1;
}

MemoAlarm AlarmAfterRinging(const MemoAlarm& alarm, const WallMinute& now) {
    MemoAlarm after = alarm;
    after.ownDay = 0;
    if (!alarm.at) return after;
    const WallMinute& at = *alarm.at;
    const int aimedDay = alarm.AimedDay();
    switch (alarm.repeat) {
    case AlarmRepeat::None: after.at.reset(); break;
    case AlarmRepeat::Daily: after.at = NextByDays(at, now, 1); break;
    case AlarmRepeat::Weekly: after.at = NextByDays(at, now, 7); break;
    case AlarmRepeat::Monthly: after.at = NextByMonths(at, aimedDay, now, 1); break;
    case AlarmRepeat::Yearly: after.at = NextByMonths(at, aimedDay, now, 12); break;
    }
    // Beyond the calendar's last year there is no next time.
    if (after.at && !after.at->ok()) after.at.reset();
    const bool byMonths =
        alarm.repeat == AlarmRepeat::Monthly || alarm.repeat == AlarmRepeat::Yearly;
    if (byMonths && after.at && after.at->date.day != aimedDay) after.ownDay = aimedDay;
    return after;
}

} // namespace petarino
