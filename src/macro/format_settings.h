// The locale-derived settings that the format language and the date parser draw on,
// loaded once at start and again when the system says its settings changed.
#pragma once

#include "platform/kernel.h"

#include <array>
#include <cstdint>
#include <string>

namespace petarino {

// Read once at start and never again.
struct LocaleIdentity {
    uint32_t localeId = 0x0409;
    bool eastAsian = false;

    int PrimaryLanguage() const { return static_cast<int>(localeId & 0x3FF); }
    int SubLanguage() const { return static_cast<int>((localeId >> 10) & 0x3F); }
};

inline constexpr int kLangChinese = 0x04;
inline constexpr int kLangJapanese = 0x11;
inline constexpr int kLangKorean = 0x12;
inline constexpr int kSubLangChineseTraditional = 0x01;

// The defaults are the fallbacks used where the locale gives nothing.
struct FormatSettings {
    char dateSeparator = '/';
    char timeSeparator = ':';
    char decimalSeparator = '.';
    std::string shortDateFormat = "m/d/yy";
    std::string longDateFormat = "mmmm d, yyyy";
    std::string morning = "am";
    std::string afternoon = "pm";
    std::string shortTimeFormat = "h:mm AMPM";
    std::string longTimeFormat = "h:mm:ss AMPM";
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};

    friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};

struct FormatLocale {
    LocaleIdentity identity;
    FormatSettings settings;
};

// Process start: the identity, every setting and every name.
FormatLocale LoadFormatLocale(platform::Kernel& kernel);

// The settings-change notification: the thread locale becomes the user's default and
// every setting is read again, except the month and day names.
void ReloadFormatSettings(platform::Kernel& kernel, FormatLocale& locale);

// The program shows English abbreviations for "ddd" and "aaa" whatever the locale.
void ReplaceShortDayNames(FormatSettings& settings);

} // namespace petarino
