#include "macro/format_settings.h"
#include "platform/fake/fake_kernel.h"

#include <gtest/gtest.h>
#include <vector>

namespace petarino {
namespace {

using platform::FakeKernel;
using platform::FakeLocale;
using platform::LocaleItem;

std::vector<LocaleItem> EveryItem() {
    std::vector<LocaleItem> items{
        LocaleItem::DecimalSeparator, LocaleItem::DateSeparator, LocaleItem::TimeSeparator,
        LocaleItem::ShortDate,        LocaleItem::LongDate,      LocaleItem::TimeFormat,
        LocaleItem::HourLeadingZero,  LocaleItem::Morning,       LocaleItem::Afternoon,
        LocaleItem::TimeMarkPosition, LocaleItem::CalendarType,
    };
    for (int i = 0; i < 7; ++i) {
        items.push_back(Nth(LocaleItem::DayName1, i));
        items.push_back(Nth(LocaleItem::AbbrevDayName1, i));
    }
    for (int i = 0; i < 12; ++i) {
        items.push_back(Nth(LocaleItem::MonthName1, i));
        items.push_back(Nth(LocaleItem::AbbrevMonthName1, i));
    }
    return items;
}

TEST(LoadFormatLocale, Japanese) {
    FakeKernel kernel(FakeLocale::Japanese);
    const FormatLocale locale = LoadFormatLocale(kernel);
    EXPECT_EQ(locale.identity.localeId, 0x0411u);
    EXPECT_TRUE(locale.identity.eastAsian);
    const FormatSettings& s = locale.settings;
    EXPECT_EQ(s.dateSeparator, '/');
    EXPECT_EQ(s.timeSeparator, ':');
    EXPECT_EQ(s.decimalSeparator, '.');
    EXPECT_EQ(s.shortDateFormat, "yyyy/MM/dd");
    EXPECT_EQ(s.longDateFormat, "yyyy'年'M'月'd'日'");
    EXPECT_EQ(s.morning, "午前");
    EXPECT_EQ(s.afternoon, "午後");
    EXPECT_EQ(s.shortTimeFormat, "h:mm");
    EXPECT_EQ(s.longTimeFormat, "h:mm:ss");
    EXPECT_EQ(s.shortMonthNames[0], "1");
    EXPECT_EQ(s.longMonthNames[11], "12月");
    // Sunday first, though the system counts from Monday.
    EXPECT_EQ(s.shortDayNames[0], "日");
    EXPECT_EQ(s.shortDayNames[1], "月");
    EXPECT_EQ(s.shortDayNames[6], "土");
    EXPECT_EQ(s.longDayNames[0], "日曜日");
    EXPECT_EQ(s.longDayNames[6], "土曜日");
}

TEST(LoadFormatLocale, English) {
    FakeKernel kernel(FakeLocale::English);
    const FormatLocale locale = LoadFormatLocale(kernel);
    EXPECT_EQ(locale.identity.localeId, 0x0409u);
    EXPECT_FALSE(locale.identity.eastAsian);
    const FormatSettings& s = locale.settings;
    EXPECT_EQ(s.shortDateFormat, "M/d/yyyy");
    EXPECT_EQ(s.longDateFormat, "dddd, MMMM d, yyyy");
    EXPECT_EQ(s.morning, "AM");
    EXPECT_EQ(s.shortTimeFormat, "h:mm AMPM");
    EXPECT_EQ(s.longTimeFormat, "h:mm:ss AMPM");
    EXPECT_EQ(s.shortDayNames[0], "Sun");
    EXPECT_EQ(s.longDayNames[1], "Monday");
    EXPECT_EQ(s.shortMonthNames[2], "Mar");
}

TEST(LoadFormatLocale, AThreadLocaleOfZeroIsUnitedStatesEnglish) {
    FakeKernel kernel(FakeLocale::Japanese);
    kernel.SetThreadLocale(0);
    EXPECT_EQ(LoadFormatLocale(kernel).identity.localeId, 0x0409u);
}

TEST(LoadFormatLocale, EveryItemFallsBackWhenTheLocaleGivesNothing) {
    for (const auto which : {FakeLocale::Japanese, FakeLocale::English}) {
        FakeKernel kernel(which);
        for (const LocaleItem item : EveryItem())
            kernel.SetLocaleInfo(item, "");
        // Western fallbacks; the time forms of a 12-hour clock with the mark after.
        EXPECT_EQ(LoadFormatLocale(kernel).settings, FormatSettings());
    }
}

TEST(LoadFormatLocale, NamesFallBackOneByOne) {
    FakeKernel kernel(FakeLocale::Japanese);
    kernel.SetLocaleInfo(Nth(LocaleItem::AbbrevMonthName1, 4), "");
    kernel.SetLocaleInfo(Nth(LocaleItem::DayName1, 6), "");
    const FormatSettings settings = LoadFormatLocale(kernel).settings;
    EXPECT_EQ(settings.shortMonthNames[4], "May");
    EXPECT_EQ(settings.shortMonthNames[5], "6");
    EXPECT_EQ(settings.longDayNames[0], "Sunday");
    EXPECT_EQ(settings.longDayNames[1], "月曜日");
}

TEST(LoadFormatLocale, OneByteItemsCountOnlyWhenTheyAreOneByte) {
    const struct {
        std::string text;
        char expected;
    } cases[] = {{"-", '-'}, {".", '.'}, {"", '/'}, {"--", '/'}, {"年", '/'}};
    for (const auto& [text, expected] : cases) {
        FakeKernel kernel(FakeLocale::English);
        kernel.SetLocaleInfo(LocaleItem::DateSeparator, text);
        EXPECT_EQ(LoadFormatLocale(kernel).settings.dateSeparator, expected) << text;
    }
}

TEST(LoadFormatLocale, TextItemsLongerThanTheBufferFallBack) {
    FakeKernel kernel(FakeLocale::English);
    kernel.SetLocaleInfo(LocaleItem::Morning, std::string(255, 'x'));
    kernel.SetLocaleInfo(LocaleItem::Afternoon, std::string(256, 'x'));
    const FormatSettings settings = LoadFormatLocale(kernel).settings;
    EXPECT_EQ(settings.morning, std::string(255, 'x'));
    EXPECT_EQ(settings.afternoon, "pm");
}

struct DateFormCase {
    uint32_t localeId;
    std::string calendarType;
    std::string picture;
    std::string expected;
};

TEST(LoadFormatLocale, TranslatesDateFormsByCalendarType) {
    const DateFormCase cases[] = {
        // Era calendars, whatever the language: era years and full era names.
        {0x0411, "3", "gg yyyy/MM/dd", "ggg ee/MM/dd"},
        {0x0411, "3", "GGyy'年'M'月'", "gggee'年'M'月'"},
        {0x0411, "3", "y Y yyy YyYy", "e e eee ee"},
        {0x0411, "3", "g gggg", "g gggggg"},
        {0x0409, "4", "yyyy", "ee"},
        {0x0412, "5", "yy", "ee"},
        {0x0411, "3", "トペ", "トペ"}, // second bytes "g" and "y" belong to their characters
        // Gregorian with an East Asian language: no era names.
        {0x0411, "1", "gg yyyy/MM/dd", " yyyy/MM/dd"},
        {0x0412, "1", "Gyyyy", "yyyy"},
        {0x0804, "2", "ggyyyy", "yyyy"},
        {0x0411, "1", "トg", "ト"},
        {0x0411, "", "gyy", "yy"},  // a missing calendar type is 1
        {0x0411, "x", "gyy", "yy"}, // and so is one that is no number
        // Any other language keeps the picture.
        {0x0409, "1", "gg yyyy", "gg yyyy"},
        {0x0407, "2", "g", "g"},
    };
    for (const auto& c : cases) {
        FakeKernel kernel(FakeLocale::Japanese);
        kernel.SetThreadLocale(c.localeId);
        kernel.SetLocaleInfo(LocaleItem::CalendarType, c.calendarType);
        kernel.SetLocaleInfo(LocaleItem::ShortDate, c.picture);
        kernel.SetLocaleInfo(LocaleItem::LongDate, c.picture);
        const FormatSettings settings = LoadFormatLocale(kernel).settings;
        EXPECT_EQ(settings.shortDateFormat, c.expected) << c.picture << " " << c.calendarType;
        EXPECT_EQ(settings.longDateFormat, c.expected) << c.picture << " " << c.calendarType;
    }
}

TEST(LoadFormatLocale, BuildsTimeFormsFromTheClockOptions) {
    const struct {
        std::string twelveHourClock, leadingZero, markFirst;
        std::string shortForm, longForm;
    } cases[] = {
        {"1", "0", "1", "h:mm", "h:mm:ss"},
        {"1", "1", "0", "hh:mm", "hh:mm:ss"},
        {"0", "0", "0", "h:mm AMPM", "h:mm:ss AMPM"},
        {"0", "1", "1", "AMPM hh:mm", "AMPM hh:mm:ss"},
        {"0", "2", "2", "AMPM hh:mm", "AMPM hh:mm:ss"},
        {"", "", "", "h:mm AMPM", "h:mm:ss AMPM"},
        {"x", "x", "1x", "h:mm AMPM", "h:mm:ss AMPM"},
    };
    for (const auto& c : cases) {
        FakeKernel kernel(FakeLocale::English);
        kernel.SetLocaleInfo(LocaleItem::TimeFormat, c.twelveHourClock);
        kernel.SetLocaleInfo(LocaleItem::HourLeadingZero, c.leadingZero);
        kernel.SetLocaleInfo(LocaleItem::TimeMarkPosition, c.markFirst);
        const FormatSettings settings = LoadFormatLocale(kernel).settings;
        EXPECT_EQ(settings.shortTimeFormat, c.shortForm) << c.shortForm;
        EXPECT_EQ(settings.longTimeFormat, c.longForm) << c.longForm;
    }
}

TEST(ReplaceShortDayNames, GivesEnglishAbbreviations) {
    FakeKernel kernel(FakeLocale::Japanese);
    FormatLocale locale = LoadFormatLocale(kernel);
    ReplaceShortDayNames(locale.settings);
    const std::array<std::string, 7> english{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    EXPECT_EQ(locale.settings.shortDayNames, english);
    EXPECT_EQ(locale.settings.longDayNames[0], "日曜日");
}

TEST(ReloadFormatSettings, ReadsEverySettingAgainButKeepsTheNames) {
    FakeKernel kernel(FakeLocale::Japanese);
    kernel.SetThreadLocale(0);
    FormatLocale locale = LoadFormatLocale(kernel);
    ReplaceShortDayNames(locale.settings);

    kernel.SetLocaleInfo(LocaleItem::DateSeparator, "-");
    kernel.SetLocaleInfo(LocaleItem::TimeSeparator, "");
    kernel.SetLocaleInfo(LocaleItem::ShortDate, "gg yy-M-d");
    kernel.SetLocaleInfo(LocaleItem::Morning, "AM");
    kernel.SetLocaleInfo(LocaleItem::TimeFormat, "0");
    kernel.SetLocaleInfo(Nth(LocaleItem::MonthName1, 0), "Ichigatsu");
    kernel.SetLocaleInfo(Nth(LocaleItem::DayName1, 6), "Nichiyoubi");
    ReloadFormatSettings(kernel, locale);

    EXPECT_EQ(kernel.ThreadLocaleResets(), 1);
    EXPECT_EQ(kernel.ThreadLocale(), 0x0411u);
    EXPECT_EQ(locale.identity.localeId, 0x0409u); // read once, at start
    const FormatSettings& s = locale.settings;
    EXPECT_EQ(s.dateSeparator, '-');
    EXPECT_EQ(s.timeSeparator, ':');
    EXPECT_EQ(s.shortDateFormat, "gg yy-M-d"); // translated for the identity read at start
    EXPECT_EQ(s.morning, "AM");
    EXPECT_EQ(s.shortTimeFormat, "AMPM h:mm");
    EXPECT_EQ(s.longMonthNames[0], "1月");
    EXPECT_EQ(s.longDayNames[0], "日曜日");
    EXPECT_EQ(s.shortDayNames[0], "Sun");
}

} // namespace
} // namespace petarino
