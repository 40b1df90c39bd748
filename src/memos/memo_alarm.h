// A memo's alarm: a local wall time at minute precision, how it repeats, and whether it
// sounds. Wall time, not an instant: "09:00 every Monday" means nine on the clock whatever
// the clock's offset from UTC is that day.
#pragma once

#include "macro/date_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace petarino {

struct WallMinute {
    CivilDate date;
    int hour = 0;   // [0, 23]
    int minute = 0; // [0, 59]

    bool ok() const;
    // Minutes since 1899-12-30 00:00: wall times compare and subtract through it.
    int64_t Count() const;
    static WallMinute FromCount(int64_t minutes);
    friend bool operator==(const WallMinute&, const WallMinute&) = default;
    friend auto operator<=>(const WallMinute& a, const WallMinute& b) {
        return a.Count() <=> b.Count();
    }
};

// In the order of the dialog's choices and of the stored value.
enum class AlarmRepeat : int32_t { None, Daily, Weekly, Monthly, Yearly };
inline constexpr int32_t kAlarmRepeats = 5;

struct MemoAlarm {
    std::optional<WallMinute> at; // none: no alarm
    AlarmRepeat repeat = AlarmRepeat::None;
    bool sound = false;
    // The day of month the user chose, for a monthly or yearly alarm whose time had to be
    // cut to a shorter month (31 January, then 28 February): 0 when it is the day of at.
    int ownDay = 0;

    // The day the next month or year aims at.
    int AimedDay() const { return ownDay != 0 ? ownDay : at ? at->date.day : 0; }
    friend bool operator==(const MemoAlarm&, const MemoAlarm&) = default;
};

// "YYYY-MM-DDThh:mm", as the store keeps it.
std::string WallMinuteText(const WallMinute& time);
// Exactly that form, of a valid date and time; nullopt for anything else.
std::optional<WallMinute> ParseWallMinute(std::string_view text);

} // namespace petarino
