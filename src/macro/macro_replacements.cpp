#include "macro/macro_replacements.h"

#include "macro/date_parser.h"
#include "macro/day_count.h"
#include "macro/local_clock.h"
#include "macro/running_time_text.h"

namespace petarino {

void MacroReplacements::Replace(char letter, std::string_view argument, std::string& out) {
    switch (letter) {
    case 'N':
    case 'n':
        AppendDateTime(out, argument, CurrentDateTime(services_.kernel),
                       {services_.locale, services_.eras});
        return;
    case 'A':
    case 'a': out += DayCountText(DaysUntil(argument)); return;
    case 'S':
    case 's': out += DayCountText(-DaysUntil(argument)); return;
    case 'I':
    case 'i':
        out += RunningTimeText(static_cast<int64_t>(services_.kernel.UptimeMilliseconds() / 1000));
        return;
    case 'T':
    case 't': out += host_.RunningTimeCaption(); return;
    case 'L':
    case 'l': out += std::to_string(host_.LaunchCount()); return;
    default: out.append(1, letter).append("は、マクロにありません。"); return;
    }
}

int32_t MacroReplacements::DaysUntil(std::string_view date) {
    const DateTime target = ParseDate(date, services_.locale, services_.kernel);
    return static_cast<int32_t>(target - Today(services_.kernel));
}

} // namespace petarino
