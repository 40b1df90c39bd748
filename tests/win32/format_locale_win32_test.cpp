#include "macro/date_time_format.h"
#include "macro/era_calendar.h"
#include "macro/format_settings.h"
#include "platform/win32/kernel_win32.h"
#include "win32/user_locale_item.h"

#include <windows.h>
#include <array>
#include <gtest/gtest.h>
#include <string>

namespace petarino::win32 {
namespace {

// The locale data the program reads on real Wine, in Japanese and in English.
class FormatLocaleWin32Test : public testing::Test {
protected:
    // What the A function puts into a 256-byte buffer. Under Japanese the ANSI code page is
    // 932 and under English the texts are ASCII, so this is CP932 either way, without our
    // conversion.
    static std::string SystemSays(LCTYPE item) {
        std::array<char, 256> text{};
        const int bytes =
            GetLocaleInfoA(GetThreadLocale(), item, text.data(), static_cast<int>(text.size()));
        return bytes > 0 ? std::string(text.data(), static_cast<size_t>(bytes - 1)) : "";
    }

    KernelWin32 kernel;
    const bool japanese = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_JAPANESE;
};

TEST_F(FormatLocaleWin32Test, LoaderReadsWhatTheSystemSays) {
    const FormatLocale loaded = LoadFormatLocale(kernel);
    EXPECT_EQ(loaded.identity.localeId, GetThreadLocale());
    EXPECT_EQ(loaded.identity.eastAsian, japanese);

    const FormatSettings& settings = loaded.settings;
    EXPECT_EQ(std::string(1, settings.dateSeparator), SystemSays(LOCALE_SDATE));
    EXPECT_EQ(std::string(1, settings.timeSeparator), SystemSays(LOCALE_STIME));
    EXPECT_EQ(std::string(1, settings.decimalSeparator), SystemSays(LOCALE_SDECIMAL));
    EXPECT_EQ(settings.shortDateFormat, SystemSays(LOCALE_SSHORTDATE));
    EXPECT_EQ(settings.longDateFormat, SystemSays(LOCALE_SLONGDATE));
    EXPECT_EQ(settings.morning, SystemSays(LOCALE_S1159));
    EXPECT_EQ(settings.afternoon, SystemSays(LOCALE_S2359));
    // Built from the clock options: Japanese has a 24-hour clock, English the time mark after.
    EXPECT_EQ(settings.shortTimeFormat, japanese ? "h:mm" : "h:mm AMPM");
    EXPECT_EQ(settings.longTimeFormat, japanese ? "h:mm:ss" : "h:mm:ss AMPM");
    for (LCTYPE month = 0; month < 12; ++month) {
        EXPECT_EQ(settings.longMonthNames[month], SystemSays(LOCALE_SMONTHNAME1 + month));
        EXPECT_EQ(settings.shortMonthNames[month], SystemSays(LOCALE_SABBREVMONTHNAME1 + month));
    }
    // Ours count from Sunday, the system's from Monday.
    for (LCTYPE day = 0; day < 7; ++day) {
        const LCTYPE systemDay = (day + 6) % 7;
        EXPECT_EQ(settings.longDayNames[day], SystemSays(LOCALE_SDAYNAME1 + systemDay));
        EXPECT_EQ(settings.shortDayNames[day], SystemSays(LOCALE_SABBREVDAYNAME1 + systemDay));
    }
}

// A Japanese date form loses its era names with the Gregorian calendar, which would only
// say the Christian era; with the emperor eras its years become years within the era.
TEST_F(FormatLocaleWin32Test, DateFormsAreTranslatedForTheCalendarType) {
    const UserLocaleItem shortDate(LOCALE_SSHORTDATE, L"gg yyyy/M/d");
    ASSERT_TRUE(shortDate.set());
    ASSERT_EQ(SystemSays(LOCALE_ICALENDARTYPE), "1");
    EXPECT_EQ(LoadFormatLocale(kernel).settings.shortDateFormat,
              japanese ? " yyyy/M/d" : "gg yyyy/M/d");

    const UserLocaleItem calendar(LOCALE_ICALENDARTYPE, L"3");
    ASSERT_TRUE(calendar.set());
    EXPECT_EQ(LoadFormatLocale(kernel).settings.shortDateFormat, "ggg ee/M/d");
}

// The settings-change notification after the user changed a setting, with the thread
// locale moved away from the user's.
TEST_F(FormatLocaleWin32Test, ReloadReadsTheUsersChangedSettings) {
    FormatLocale loaded = LoadFormatLocale(kernel);
    const UserLocaleItem morning(LOCALE_S1159, L"あさ");
    ASSERT_TRUE(morning.set());
    ASSERT_TRUE(SetThreadLocale(japanese ? 0x0409 : 0x0411));

    ReloadFormatSettings(kernel, loaded);
    EXPECT_EQ(GetThreadLocale(), GetUserDefaultLCID());
    EXPECT_EQ(loaded.settings.morning, "あさ");
    EXPECT_EQ(loaded.settings.afternoon, SystemSays(LOCALE_S2359));
}

// Wine writes the Gregorian era for Japanese; the program's own table takes over.
TEST_F(FormatLocaleWin32Test, JapaneseErasComeFromTheProgramsTableUnderWine) {
    if (!japanese) GTEST_SKIP() << "Japanese only";
    const FormatLocale loaded = LoadFormatLocale(kernel);
    EraCalendar eras(kernel, loaded.identity);
    ASSERT_EQ(kernel.AltCalendarDate(0x0411, 1997, 3, 9, "gg"), "西暦西暦");

    EXPECT_EQ(eras.EraName({1997, 3, 9}), "平成");
    EXPECT_EQ(eras.EraYear({1997, 3, 9}, false), "09");
    EXPECT_EQ(eras.EraName({2019, 5, 1}), "令和");
    EXPECT_EQ(eras.EraYear({2019, 5, 1}, true), "01");
    EXPECT_EQ(eras.EraName({1989, 1, 7}), "昭和");
    EXPECT_EQ(eras.EraYear({1989, 1, 7}, false), "64");
    EXPECT_EQ(eras.EraName({1867, 12, 31}), "");
    EXPECT_EQ(eras.EraYear({1867, 12, 31}, false), "");

    const FormatContext context{loaded, eras};
    const DateTime value = EncodeDateTime({1997, 3, 9}, {14, 5, 7, 0});
    EXPECT_EQ(FormatDateTime("c", value, context), "1997/3/9 14:05:07");
    EXPECT_EQ(FormatDateTime("g ggg e", value, context), "平 平成 9");
}

TEST_F(FormatLocaleWin32Test, OtherErasAreTheSystemsOwn) {
    if (japanese) GTEST_SKIP() << "not for Japanese";
    const FormatLocale loaded = LoadFormatLocale(kernel);
    EraCalendar eras(kernel, loaded.identity);
    EXPECT_EQ(eras.EraName({1997, 3, 9}), kernel.AltCalendarDate(0x0409, 1997, 3, 9, "gg"));
    EXPECT_EQ(eras.EraYear({1997, 3, 9}, false), "97");

    const FormatContext context{loaded, eras};
    const DateTime value = EncodeDateTime({1997, 3, 9}, {14, 5, 7, 0});
    EXPECT_EQ(FormatDateTime("c", value, context), "3/9/1997 2:05:07 PM");
}

} // namespace
} // namespace petarino::win32
