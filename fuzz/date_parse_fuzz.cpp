// The date parser over any text: it either gives a whole day of the calendar or throws
// EConvertError, and never reads outside the text. The first byte picks the settings.
#include "macro/convert_error.h"
#include "macro/date_parser.h"
#include "platform/fake/fake_kernel.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using petarino::FormatLocale;

FormatLocale Locale(std::string shortDate, std::string shortTime, std::string morning,
                    std::string afternoon, bool eastAsian, char separator) {
    FormatLocale locale;
    locale.identity.eastAsian = eastAsian;
    locale.settings.dateSeparator = separator;
    locale.settings.shortDateFormat = std::move(shortDate);
    locale.settings.shortTimeFormat = std::move(shortTime);
    locale.settings.morning = std::move(morning);
    locale.settings.afternoon = std::move(afternoon);
    return locale;
}

// The last two are corners no locale gives: an era name before the year with a day name
// after it, and a time form that starts with a digit beside empty morning and afternoon
// texts.
const std::array<FormatLocale, 4> kLocales{
    Locale("yyyy/MM/dd", "h:mm", "午前", "午後", true, '/'),
    Locale("M/d/yyyy", "h:mm AMPM", "AM", "PM", false, '/'),
    Locale("ggge/M/d(ddd)", "AMPM h:mm", "午前", "午後", true, '/'),
    Locale("dd.MM.yyyy ddd", "0h:mm", "", "", true, '.'),
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static petarino::platform::FakeKernel kernel = [] {
        petarino::platform::FakeKernel fixed;
        fixed.SetNow({.year = 2026, .month = 12, .day = 7, .hour = 14, .minute = 5});
        return fixed;
    }();
    const FormatLocale& locale = kLocales[data[0] % kLocales.size()];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        const petarino::DateTime day = petarino::ParseDate(text, locale, kernel);
        if (day != std::floor(day) || day < petarino::DayNumber({1, 1, 1}) ||
            day > petarino::DayNumber({9999, 12, 31}))
            __builtin_trap();
    } catch (const petarino::EConvertError&) {
    }
    return 0;
}
