// The date-time formatter: renders a date-time value through the format language.
#pragma once

#include "macro/date_time.h"
#include "macro/era_calendar.h"
#include "macro/format_settings.h"

#include <string>
#include <string_view>

namespace petarino {

inline constexpr std::size_t kFormattedMaxBytes = 256;

struct FormatContext {
    const FormatLocale& locale;
    EraCalendar& eras;
};

// Never fails; the result has at most kFormattedMaxBytes bytes. The format ends at its
// end or at its first NUL byte; an empty format is "c".
std::string FormatDateTime(std::string_view format, DateTime value, const FormatContext& context);
// The same, appended to `out`: a caller that formats again and again keeps its buffer.
void AppendDateTime(std::string& out, std::string_view format, DateTime value,
                    const FormatContext& context);

} // namespace petarino
