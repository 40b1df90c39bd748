#include "macro/macro_replacements.h"

#include "clock/running_time_text.h"
#include "macro/date_parser.h"
#include "macro/day_count.h"
#include "macro/local_clock.h"

namespace petarino {

std::string MacroReplacements::Replace(char letter, std::string_view argument) {
    switch (letter) {
    case 'N':
    case 'n': {
        return FormatDateTime(argument, CurrentDateTime(services_.kernel),
                              {services_.locale, services_.eras});
    }
    case 'A':
    case 'a': return DayCountText(DaysUntil(argument));
    case 'S':
    case 's': return DayCountText(-DaysUntil(argument));
    case 'I':
    case 'i':
        return RunningTimeText(static_cast<int64_t>(services_.kernel.UptimeMilliseconds() / 1000));
    case 'T':
    case 't': return host_.RunningTimeCaption();
    case 'L':
    case 'l': return std::to_string(host_.LaunchCount());
    default: return std::string(1, letter) + "は、マクロにありません。";
    }
}

int32_t MacroReplacements::DaysUntil(std::string_view date) {
    const DateTime target = ParseDate(date, services_.locale, services_.kernel);
    return static_cast<int32_t>(target - Today(services_.kernel));
}

} // namespace petarino
