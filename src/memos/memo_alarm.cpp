#include "memos/memo_alarm.h"

#include <cstdio>

namespace petarino {
namespace {

constexpr int64_t kMinutesPerDay = 24 * 60;

std::optional<int> Digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

bool WallMinute::ok() const {
    return date.ok() && hour >= 0 && hour < 24 && minute >= 0 && minute < 60;
}

int64_t WallMinute::Count() const {
    return int64_t{DayNumber(date)} * kMinutesPerDay + hour * 60 + minute;
}

WallMinute WallMinute::FromCount(int64_t minutes) {
    int64_t day = minutes / kMinutesPerDay;
    int64_t rest = minutes % kMinutesPerDay;
    if (rest < 0) {
        rest += kMinutesPerDay;
        --day;
    }
    return {DateFromDayNumber(static_cast<int32_t>(day)), static_cast<int>(rest / 60),
            static_cast<int>(rest % 60)};
}

std::string WallMinuteText(const WallMinute& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", time.date.year, time.date.month,
                  time.date.day, time.hour, time.minute);
    return text;
}

std::optional<WallMinute> ParseWallMinute(std::string_view text) {
    // YYYY-MM-DDThh:mm
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':')
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(5, 2));
    const auto day = Digits(text.substr(8, 2));
    const auto hour = Digits(text.substr(11, 2));
    const auto minute = Digits(text.substr(14, 2));
    if (!year || !month || !day || !hour || !minute) return std::nullopt;
    const WallMinute time{{*year, *month, *day}, *hour, *minute};
    return time.ok() ? std::optional(time) : std::nullopt;
}

} // namespace petarino
