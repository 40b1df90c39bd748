// Reading a date that the user typed, in the locale's date order and separator.
#pragma once

#include "macro/date_time.h"
#include "macro/format_settings.h"
#include "platform/kernel.h"

#include <string_view>

namespace petarino {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The first of the letters d, e, m and y (any case) in the short date form decides; a
// form without any of them reads month first.
DateOrder DateOrderOf(std::string_view shortDateFormat);

// The date at 00:00, or EConvertError when the text is not a date. The clock is read
// only when the text leaves out the year or its century.
DateTime ParseDate(std::string_view text, const FormatLocale& locale, platform::Kernel& kernel);

} // namespace petarino
