#include "macro/date_time_format.h"
#include "platform/fake/fake_kernel.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace petarino {
namespace {

using platform::FakeKernel;
using platform::FakeLocale;

// 1997-03-09 was a Sunday.
const DateTime kSunday = EncodeDateTime({1997, 3, 9}, {14, 5, 7, 0});

DateTime At(int hour, int minute = 0, int second = 0) {
    return EncodeDateTime({1997, 3, 9}, {hour, minute, second, 0});
}

// The program after start-up: settings from the locale, English short day names.
class Formatting {
public:
    explicit Formatting(FakeLocale which)
        : kernel_(which), locale_(LoadFormatLocale(kernel_)), eras_(kernel_, locale_.identity) {
        ReplaceShortDayNames(locale_.settings);
    }

    std::string operator()(std::string_view format, DateTime value = kSunday) {
        return FormatDateTime(format, value, {locale_, eras_});
    }

    FormatSettings& Settings() { return locale_.settings; }

private:
    FakeKernel kernel_;
    FormatLocale locale_;
    EraCalendar eras_;
};

// A format at the very end of its own allocation, so reading past it trips the sanitizer.
class ExactFormat {
public:
    explicit ExactFormat(std::string_view bytes)
        : bytes_(new char[bytes.size()]), size_(bytes.size()) {
        std::copy(bytes.begin(), bytes.end(), bytes_.get());
    }
    std::string_view View() const { return {bytes_.get(), size_}; }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

struct Case {
    std::string_view format;
    std::string_view expected;
};

void ExpectAll(Formatting& format, const std::vector<Case>& cases, DateTime value = kSunday) {
    for (const auto& [pattern, expected] : cases)
        EXPECT_EQ(format(pattern, value), expected) << "format: " << pattern;
}

class BothLocales : public testing::TestWithParam<FakeLocale> {
protected:
    Formatting format{GetParam()};
};

std::string LocaleName(const testing::TestParamInfo<FakeLocale>& locale) {
    return locale.param == FakeLocale::Japanese ? "ja_JP" : "en_US";
}

INSTANTIATE_TEST_SUITE_P(FormatDateTime, BothLocales,
                         testing::Values(FakeLocale::Japanese, FakeLocale::English), LocaleName);

TEST_P(BothLocales, DateAndTimeNumbers) {
    ExpectAll(format, {
                          {"yyyy/mm/dd", "1997/03/09"},
                          {"y/m/d", "97/3/9"},
                          {"yyy", "1997"},
                          {"yyyyyy", "1997"},
                          {"YYYY-MM-DD", "1997-03-09"},
                          {"hh:mm:ss", "14:05:07"},
                          {"hh:nn", "14:05"},
                          {"h:n:s", "14:5:7"},
                          {"hhh", "14"},
                          {"nnn:sss", "05:07"},
                          {"H:M", "14:5"},
                      });
    ExpectAll(format, {{"y/m/d h:n:s", "01/1/1 0:0:0"}, {"yyyy", "0001"}},
              EncodeDateTime({1, 1, 1}, {}));
}

TEST_P(BothLocales, RunsAreOfOneExactByte) {
    ExpectAll(format, {{"dD", "99"}, {"Mm", "33"}, {"dDd", "999"}, {"yY", "9797"}});
}

TEST_P(BothLocales, MAfterHIsTheMinute) {
    ExpectAll(format, {
                          {"h m", "14 5"},     // a blank keeps the last letter
                          {"h'x'm", "14x5"},   // so does a quoted literal
                          {"h時m", "143"},     // a double-byte character resets it
                          {"hxm", "14x3"},     // so does a letter that is no token
                          {"hmm m", "1405 3"}, // only the run right after the "h"
                          {"Hmm", "1405"},
                      });
}

TEST_P(BothLocales, TwelveHourClock) {
    ExpectAll(format, {
                          {"h am/pm", "2 pm"},
                          {"h AM/PM", "2 PM"},
                          {"h Am/pM", "2 pM"},
                          {"h a/p", "2 p"},
                          {"h A/P", "2 P"},
                          {"am/pm h", "pm 2"},
                          {"a/p h h", "p 2 2"},         // the flag holds for the level
                          {"h h am/pm", "14 2 pm"},     // the next "h" ends the look-ahead
                          {"h'h' am/pm", "14h pm"},     // even inside quotes
                          {"h'am/pm'", "14am/pm"},      // a quoted "a" is not looked at
                          {"h aaa am/pm", "14 Sun pm"}, // any other "a" ends it
                          {"hド am/pm", "2 pm"},        // a second byte "h" is no "h"
                      });
    ExpectAll(format, {{"h am/pm", "12 am"}, {"hh a/p", "12 a"}}, At(0, 30));
    ExpectAll(format, {{"h am/pm", "12 pm"}, {"AM/PM", "PM"}}, At(12));
    ExpectAll(format, {{"h am/pm", "11 pm"}}, At(23, 59));
    ExpectAll(format, {{"h AM/PM", "9 AM"}, {"a/P", "a"}}, At(9));
}

TEST_P(BothLocales, DayNamesAndLetterA) {
    const std::string longSunday = format.Settings().longDayNames[0];
    ExpectAll(format, {
                          {"ddd", "Sun"},
                          {"aaa", "Sun"},
                          {"AaA", "Sun"},
                          {"dddd", longSunday},
                          {"aaaa", longSunday},
                          {"aaaaa", longSunday + "a"},
                          {"a", "a"},
                          {"aa", "aa"},
                          {"am", "a3"}, // no token: the "m" after the "a" is the month
                          {"a/", "a/"},
                      });
    EXPECT_EQ(format("ddd", kSunday + 6), "Sat");
}

TEST_P(BothLocales, LiteralsAndDoubleByteCharacters) {
    ExpectAll(format, {
                          {"x", "x"},
                          {"b-q z!", "b-q z!"},
                          {"ｱｲｳ", "ｱｲｳ"},
                          {"mm月", "03"},
                          {"mm'月'", "03月"},
                          {"mm\"月\"", "03月"},
                          {"'hh'", "hh"},
                          {"\"it's\"", "it's"},
                          {"'\x83'yy", "\x83'yy"}, // a second byte never closes the quote
                          {"'yy", "yy"},           // an open quote runs to the end
                      });
}

TEST_P(BothLocales, FormatEndsAtItsFirstNul) {
    EXPECT_EQ(format(std::string_view("yy\0mm", 5)), "97");
    EXPECT_EQ(format(std::string_view("\0yy", 3)), format("c"));
}

TEST_P(BothLocales, LeadByteAtTheEndIsNeverReadPast) {
    const std::vector<Case> cases = {
        {"yyyy\x82", "1997"}, {"'ab\x82", "ab"}, {"h\x82", "14"}, {"h'\x82", "14"}, {"\x82", ""},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(format(ExactFormat(bytes).View()), expected) << bytes;
    // A slice ends where it says, even when its buffer goes on.
    const std::string_view buffer = "h\x83h am/pm";
    EXPECT_EQ(format(buffer.substr(0, 2)), "14");
}

TEST_P(BothLocales, OutputStopsAt256Bytes) {
    std::string fiveBytes, full;
    for (int i = 0; i < 60; ++i) {
        fiveBytes += "yyyy ";
        full += "1997 ";
    }
    EXPECT_EQ(format(fiveBytes), full.substr(0, 256));

    std::string quoted = "'";
    for (int i = 0; i < 200; ++i)
        quoted += "あ";
    const std::string out = format(quoted);
    EXPECT_EQ(out, quoted.substr(1, 256)); // a character may be cut in two
    EXPECT_EQ(format(std::string(256, 'x') + "yyyy"), std::string(256, 'x'));
}

TEST_P(BothLocales, EmptyFormatIsC) {
    EXPECT_EQ(format(""), format("c"));
    EXPECT_EQ(format("", At(0)), format("c", At(0)));
}

TEST_P(BothLocales, NestingStopsAtTheSecondLevel) {
    format.Settings().shortDateFormat = "yyyy c ddddd t";
    format.Settings().longTimeFormat = "ss";
    // Inside a form, "c" gives only its blank; the forms it names give nothing.
    EXPECT_EQ(format("ddddd"), "1997    ");
    EXPECT_EQ(format("c"), "1997     07");
}

TEST_P(BothLocales, EachLevelHasItsOwnState) {
    format.Settings().shortTimeFormat = "m";
    format.Settings().longTimeFormat = "h";
    // The outer "h" does not make the form's "m" a minute, nor does a form's am/pm make
    // the outer hour a 12-hour hour.
    EXPECT_EQ(format("ht"), "143");
    format.Settings().shortTimeFormat = "am/pm";
    EXPECT_EQ(format("t h"), "pm 14");
    format.Settings().longTimeFormat = "h";
    EXPECT_EQ(format("h tt am/pm"), "2 14 pm");
}

TEST(FormatDateTimeJapanese, LocaleForms) {
    Formatting format(FakeLocale::Japanese);
    ExpectAll(format, {
                          {"c", "1997/03/09 14:05:07"},
                          {"ddddd", "1997/03/09"},
                          {"dddddd", "1997年3月9日"},
                          {"ddddddd", "1997年3月9日"},
                          {"t", "14:05"},
                          {"tt", "14:05:07"},
                          {"ttt", "14:05:07"},
                          {"hh:nn ampm", "02:05 午後"},
                          {"AMPM", "午後"},
                          {"mmm", "3"},
                          {"mmmm", "3月"},
                          {"mmmmm", "3月"},
                      });
    ExpectAll(format, {{"c", "1997/03/09"}, {"ampm", "午前"}}, At(0));
}

TEST(FormatDateTimeEnglish, LocaleForms) {
    Formatting format(FakeLocale::English);
    ExpectAll(format, {
                          {"c", "3/9/1997 2:05:07 PM"},
                          {"ddddd", "3/9/1997"},
                          {"dddddd", "Sunday, March 9, 1997"},
                          {"ddddddd", "Sunday, March 9, 1997"},
                          {"t", "2:05 PM"},
                          {"tt", "2:05:07 PM"},
                          {"hh:nn ampm", "02:05 PM"},
                          {"mmm", "Mar"},
                          {"mmmm", "March"},
                      });
    ExpectAll(format, {{"c", "3/9/1997"}, {"ampm", "AM"}}, At(0));
    ExpectAll(format, {{"c", "3/9/1997 12:00:01 AM"}}, At(0, 0, 1));
}

TEST(FormatDateTimeJapanese, EraNamesAndYears) {
    Formatting format(FakeLocale::Japanese);
    ExpectAll(format, {
                          {"g", "平"},
                          {"gg", "平成"},
                          {"ggg", "平成"},
                          {"e", "9"},
                          {"ee", "09"},
                          {"eee", "09"},
                          {"ggge'年'", "平成9年"},
                          {"ggge年", "平成9"},
                      });
    ExpectAll(format, {{"ge", "令1"}, {"ggee", "令和01"}}, EncodeDateTime({2019, 5, 1}, {}));
    ExpectAll(format, {{"ge", "昭64"}}, EncodeDateTime({1989, 1, 7}, {}));
    ExpectAll(format, {{"ggee", "明治45"}}, EncodeDateTime({1912, 7, 29}, {}));
    ExpectAll(format, {{"[ggeee]", "[]"}}, EncodeDateTime({1867, 12, 31}, {}));
}

// The clock before day 0: a date plus a time of day shows that date, that time and that
// date's era, whatever side of 1899-12-30 it falls on.
TEST(FormatDateTimeJapanese, ClockBeforeDayZero) {
    Formatting format(FakeLocale::Japanese);
    const auto at = [](CivilDate date, TimeOfDay time) { return EncodeDateTime(date, time); };
    ExpectAll(format, {{"yyyy/mm/dd hh:nn aaa", "1899/12/29 13:00 Fri"}},
              at({1899, 12, 29}, {13, 0, 0, 0}));
    ExpectAll(format, {{"yyyy/mm/dd h:nn:ss am/pm", "1899/12/29 9:41:05 am"}},
              at({1899, 12, 29}, {9, 41, 5, 0}));
    ExpectAll(format, {{"c", "1899/12/29"}, {"yyyy/mm/dd hh:nn:ss", "1899/12/29 00:00:00"}},
              at({1899, 12, 29}, {}));
    ExpectAll(format, {{"c", "1899/12/30"}, {"aaa", "Sat"}}, at({1899, 12, 30}, {}));
    ExpectAll(format, {{"yyyy/mm/dd hh:nn:ss[ggeee]", "1867/12/31 23:59:59[]"}},
              at({1867, 12, 31}, {23, 59, 59, 0}));
    ExpectAll(format, {{"yyyy/mm/dd hh:nn:ss ggge", "1868/01/01 00:00:00 明治1"}},
              at({1868, 1, 1}, {}));
}

TEST(FormatDateTimeEnglish, EraNamesAndYears) {
    Formatting format(FakeLocale::English);
    ExpectAll(format, {{"g", "A.D."}, {"gg", "A.D."}, {"e", "97"}, {"eee", "1997"}});
    ExpectAll(format, {{"e", "5"}, {"ee", "05"}, {"eee", "2005"}},
              EncodeDateTime({2005, 1, 1}, {}));
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings) {
    Formatting format(FakeLocale::English);
    format.Settings().dateSeparator = '-';
    format.Settings().timeSeparator = '.';
    EXPECT_EQ(format("yyyy/mm/dd hh:nn"), "1997-03-09 14.05");
    EXPECT_EQ(format("'/:'"), "/:");
}

} // namespace
} // namespace petarino
