#include "macro/convert_error.h"
#include "macro/date_parser.h"
#include "platform/fake/fake_kernel.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace petarino {
namespace {

FormatLocale Locale(std::string shortDate, bool eastAsian, char separator = '/') {
    FormatLocale locale;
    locale.identity.eastAsian = eastAsian;
    locale.settings.dateSeparator = separator;
    locale.settings.shortDateFormat = std::move(shortDate);
    locale.settings.shortTimeFormat = "h:mm";
    locale.settings.morning = "午前";
    locale.settings.afternoon = "午後";
    return locale;
}

const FormatLocale kJapanese = Locale("yyyy/MM/dd", true);
const FormatLocale kEnglish = [] {
    FormatLocale locale = Locale("M/d/yyyy", false);
    locale.settings.shortTimeFormat = "h:mm AMPM";
    locale.settings.morning = "AM";
    locale.settings.afternoon = "PM";
    return locale;
}();
const FormatLocale kDayFirst = Locale("dd/MM/yyyy", false);

struct Case {
    std::string_view text;
    CivilDate date;
};

class ParseDateTest : public testing::Test {
protected:
    void SetYear(int year) { kernel_.SetNow({.year = year, .month = 3, .day = 9, .hour = 14}); }

    void ExpectDates(const FormatLocale& locale, std::initializer_list<Case> cases) {
        for (const auto& [text, date] : cases) {
            try {
                EXPECT_EQ(ParseDate(text, locale, kernel_), DayNumber(date)) << text;
            } catch (const EConvertError& error) {
                ADD_FAILURE() << error.what();
            }
        }
    }

    void ExpectNoDates(const FormatLocale& locale, std::initializer_list<std::string_view> texts) {
        for (const auto text : texts)
            EXPECT_THROW(ParseDate(text, locale, kernel_), EConvertError) << text;
    }

    platform::FakeKernel kernel_;
};

TEST(DateOrderOf, TakesTheFirstOfTheOrderLetters) {
    EXPECT_EQ(DateOrderOf("yyyy/MM/dd"), DateOrder::YearMonthDay);
    EXPECT_EQ(DateOrderOf("ggge/M/d"), DateOrder::YearMonthDay);
    EXPECT_EQ(DateOrderOf("M/d/yyyy"), DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderOf("Dd.MM.yyyy"), DateOrder::DayMonthYear);
    EXPECT_EQ(DateOrderOf("'x' g"), DateOrder::MonthDayYear);
}

TEST_F(ParseDateTest, ReadsBlanksSeparatorsAndLongNumbers) {
    SetYear(2026);
    ExpectDates(kJapanese, {{"1996/01/01", {1996, 1, 1}},
                            {"1996/1/1", {1996, 1, 1}},
                            {" 1996 / 1 / 1 ", {1996, 1, 1}},
                            {"1996/1/1/", {1996, 1, 1}},
                            {"1996/1/1 / ", {1996, 1, 1}},
                            {"0001996/1/1", {1996, 1, 1}},
                            {"2000/2/29", {2000, 2, 29}},
                            {"9999/12/31", {9999, 12, 31}}});
    ExpectNoDates(kJapanese, {"1996-1-1", "1996/1/1//", "1996/1/1 12:00", "19960/1/1", "\t1996/1/1",
                              "1996/1/1\r\n", "", "1900/2/29", "1996/2/30", "1996/13/1", "1996/0/1",
                              "1996/1/0", "10000/1/1", "12/25/", "/1/1", "1996/", "1996/1/1x"});
}

TEST_F(ParseDateTest, GivesSmallYearsTheCurrentCentury) {
    SetYear(2026);
    ExpectDates(kJapanese, {{"96/1/1", {2096, 1, 1}},
                            {"0096/1/1", {2096, 1, 1}},
                            {"0/1/1", {2000, 1, 1}},
                            {"100/1/1", {100, 1, 1}}});
    ExpectDates(kEnglish, {{"12/31/99", {2099, 12, 31}}});
    SetYear(1997);
    ExpectDates(kJapanese, {{"96/1/1", {1996, 1, 1}}, {"0/1/1", {1900, 1, 1}}});
    ExpectDates(kDayFirst, {{"31/12/96", {1996, 12, 31}}});
}

TEST_F(ParseDateTest, TakesTheCurrentYearForTwoNumbers) {
    SetYear(2026);
    ExpectDates(kJapanese, {{"12/25", {2026, 12, 25}}, {" 12 / 25 ", {2026, 12, 25}}});
    ExpectDates(kEnglish, {{"12/25", {2026, 12, 25}}});
    ExpectDates(kDayFirst, {{"25/12", {2026, 12, 25}}});
    ExpectNoDates(kDayFirst, {"12/25"});
    SetYear(1997);
    ExpectDates(kEnglish, {{"12/25", {1997, 12, 25}}});
    ExpectNoDates(kEnglish, {"2/29"});
}

TEST_F(ParseDateTest, FollowsTheOrderOfTheShortDate) {
    ExpectDates(kJapanese, {{"1996/1/2", {1996, 1, 2}}});
    ExpectDates(kEnglish, {{"1/2/1996", {1996, 1, 2}}});
    ExpectDates(kDayFirst, {{"1/2/1996", {1996, 2, 1}}});
    ExpectNoDates(kEnglish, {"1996/1/2"});
    const FormatLocale dotted = Locale("d.M.yyyy", false, '.');
    ExpectDates(dotted, {{"1.2.1996", {1996, 2, 1}}});
    ExpectNoDates(dotted, {"1/2/1996"});
}

TEST_F(ParseDateTest, SkipsAnEraNameWhenTheShortDateStartsWithOne) {
    SetYear(2026);
    const FormatLocale era = Locale("ggge/MM/dd", true);
    ExpectDates(era, {{"平成8/1/1", {2008, 1, 1}}, {"H 8/1/1", {2008, 1, 1}}});
    ExpectNoDates(era, {"平成", "平成\x82"});
    ExpectNoDates(Locale("Gggge/MM/dd", true), {"平成8/1/1"});
}

TEST_F(ParseDateTest, NeverReadsPastTheSlice) {
    const std::string_view text = "1996/1/15";
    ExpectDates(kJapanese, {{text.substr(0, 8), {1996, 1, 1}}});
    const std::string_view leadByteLast = "\x82"
                                          "88/1/1";
    ExpectNoDates(Locale("gge/MM/dd", true), {leadByteLast.substr(0, 1)});
}

TEST_F(ParseDateTest, LetsEastAsianDayNamesTrailButNoTime) {
    const FormatLocale withDayName = Locale("yyyy/M/d(ddd)", true);
    ExpectDates(withDayName, {{"2026/12/7", {2026, 12, 7}},
                              {"2026/12/7(月)", {2026, 12, 7}},
                              {"2026/12/7 (月) 祝日 ", {2026, 12, 7}},
                              {"2026/12/7 x午後", {2026, 12, 7}},
                              {"2026/12/7 午後", {2026, 12, 7}}});
    ExpectNoDates(withDayName, {"2026/12/7 (月) 午後", "2026/12/7 月 午前 10:00"});

    FormatLocale english = withDayName;
    english.settings.morning = "AM";
    english.settings.afternoon = "PM";
    ExpectDates(english, {{"2026/12/7 Mon 3pm", {2026, 12, 7}}});
    ExpectNoDates(english, {"2026/12/7 Mon pm", "2026/12/7 Mon am 9"});

    FormatLocale timeStartsWithDigit = withDayName;
    timeStartsWithDigit.settings.shortTimeFormat = "0h:mm";
    ExpectDates(timeStartsWithDigit, {{"2026/12/7 (月) 午後", {2026, 12, 7}}});
    ExpectNoDates(timeStartsWithDigit, {"2026/12/7 (月) 午後 3:00"});

    ExpectNoDates(Locale("yyyy/M/d(ddd)", false), {"2026/12/7(月)"});
    ExpectNoDates(kJapanese, {"2026/12/7 月曜日"});
}

TEST_F(ParseDateTest, QuotesTheWholeTextInItsError) {
    EXPECT_STREQ(EConvertError("abc").what(), "'abc' は日付ではありません");
    try {
        ParseDate(" 1996/1/1 x", kJapanese, kernel_);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "' 1996/1/1 x' は日付ではありません");
    }
}

} // namespace
} // namespace petarino
