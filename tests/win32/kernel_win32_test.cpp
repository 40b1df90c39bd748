#include "macro/date_time.h"
#include "memos/sync_mark.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/kernel_win32.h"
#include "win32/user_locale_item.h"

#include <windows.h>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace petarino::win32 {
namespace {

using platform::LocaleItem;

// The Wine runner sets the process's locale from LANG: ja_JP or en_US.
class KernelWin32Test : public testing::Test {
protected:
    KernelWin32 kernel;
    const uint32_t locale = GetUserDefaultLCID();
    const bool japanese = PRIMARYLANGID(LANGIDFROMLCID(locale)) == LANG_JAPANESE;
};

uint64_t FileTimeOf(const SYSTEMTIME& time) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return (uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime;
}

// A host without the requested Unix locale makes Wine fall back to English in silence.
TEST_F(KernelWin32Test, RunsInTheLanguageTheRunnerAskedFor) {
    const char* lang = std::getenv("LANG");
    ASSERT_NE(lang, nullptr);
    const bool askedJapanese = std::string_view(lang).starts_with("ja");
    EXPECT_EQ(kernel.ThreadLocale(), askedJapanese ? 0x0411u : 0x0409u);
    EXPECT_EQ(kernel.EastAsian(), askedJapanese);
}

struct ItemCase {
    LocaleItem item;
    const char* japanese;
    const char* english;
};

// Wine's data, which differs from Windows' in places: the Japanese short date has no
// leading zeros, and the long one ends in the day name.
constexpr ItemCase kItems[] = {
    {LocaleItem::DateSeparator, "/", "/"},
    {LocaleItem::TimeSeparator, ":", ":"},
    {LocaleItem::DecimalSeparator, ".", "."},
    {LocaleItem::ShortDate, "yyyy/M/d", "M/d/yyyy"},
    {LocaleItem::LongDate, "yyyy年M月d日dddd", "dddd, MMMM d, yyyy"},
    {LocaleItem::TimeFormat, "1", "0"},
    {LocaleItem::HourLeadingZero, "0", "0"},
    {LocaleItem::TimeMarkPosition, "0", "0"},
    {LocaleItem::Morning, "午前", "AM"},
    {LocaleItem::Afternoon, "午後", "PM"},
    {LocaleItem::CalendarType, "1", "1"},
};

TEST_F(KernelWin32Test, LocaleItemsComeInCp932WithoutTheirNul) {
    for (const ItemCase& c : kItems)
        EXPECT_EQ(kernel.LocaleInfo(locale, c.item), japanese ? c.japanese : c.english)
            << "item " << static_cast<uint32_t>(c.item);
    EXPECT_EQ(kernel.LocaleInfo(locale, static_cast<LocaleItem>(0xFFFF)), "");
}

TEST_F(KernelWin32Test, NamesAreNumberedFromMondayAndFromJanuary) {
    constexpr std::array<const char*, 7> kJapaneseDays{"月曜日", "火曜日", "水曜日", "木曜日",
                                                       "金曜日", "土曜日", "日曜日"};
    constexpr std::array<const char*, 7> kJapaneseShortDays{"月", "火", "水", "木",
                                                            "金", "土", "日"};
    constexpr std::array<const char*, 7> kEnglishDays{"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                      "Friday", "Saturday", "Sunday"};
    constexpr std::array<const char*, 7> kEnglishShortDays{"Mon", "Tue", "Wed", "Thu",
                                                           "Fri", "Sat", "Sun"};
    constexpr std::array<const char*, 12> kEnglishMonths{
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(kernel.LocaleInfo(locale, Nth(LocaleItem::DayName1, i)),
                  (japanese ? kJapaneseDays : kEnglishDays)[static_cast<size_t>(i)]);
        EXPECT_EQ(kernel.LocaleInfo(locale, Nth(LocaleItem::AbbrevDayName1, i)),
                  (japanese ? kJapaneseShortDays : kEnglishShortDays)[static_cast<size_t>(i)]);
    }
    for (int i = 0; i < 12; ++i) {
        const std::string month =
            japanese ? std::to_string(i + 1) + "月" : kEnglishMonths[static_cast<size_t>(i)];
        EXPECT_EQ(kernel.LocaleInfo(locale, Nth(LocaleItem::MonthName1, i)), month);
        EXPECT_EQ(kernel.LocaleInfo(locale, Nth(LocaleItem::AbbrevMonthName1, i)),
                  japanese ? month : month.substr(0, 3));
    }
}

// The user may write a date form of up to 80 characters; a Japanese one then takes far more
// CP932 bytes than the system counts characters.
TEST_F(KernelWin32Test, ReadsALongUserFormWhole) {
    std::string form = "yyyy'年'M'月'd'日' dddd";
    for (int i = 0; i < 19; ++i)
        form += "'ペ'";
    const UserLocaleItem longDate(LOCALE_SLONGDATE, ToWide(form));
    ASSERT_TRUE(longDate.set());
    EXPECT_EQ(kernel.LocaleInfo(locale, LocaleItem::LongDate), form);
}

// Wine's alternate calendar for Japanese is the Gregorian one, and it writes the era once
// for every "g": the emperor eras must come from the program's own table.
TEST_F(KernelWin32Test, AltCalendarDateIsWhatTheSystemWrites) {
    const std::string era = japanese ? "西暦" : "AD";
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1997, 3, 9, "g"), era);
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1997, 3, 9, "gg"), era + era);
    EXPECT_EQ(kernel.AltCalendarDate(locale, 2019, 5, 1, "yy"), "19");
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1997, 3, 9, "yyyy"), "1997");
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1997, 3, 9, "yyyy'年'M'月'"), "1997年3月");
}

TEST_F(KernelWin32Test, AltCalendarDateFailsForDatesTheSystemCannotWrite) {
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1997, 2, 30, "yy"), std::nullopt);
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1997, 13, 1, "yy"), std::nullopt);
    EXPECT_EQ(kernel.AltCalendarDate(locale, 1600, 12, 31, "yy"), std::nullopt);
    EXPECT_EQ(kernel.AltCalendarDate(locale, -1, 3, 9, "yy"), std::nullopt);
    EXPECT_EQ(kernel.AltCalendarDate(locale, 0x10000 + 1997, 3, 9, "yy"), std::nullopt);
}

TEST_F(KernelWin32Test, LeadByteRangesAreCp932sWhateverTheLocale) {
    const std::vector<platform::ByteRange> expected{{0x81, 0x9F}, {0xE0, 0xFC}};
    EXPECT_EQ(kernel.Cp932LeadByteRanges(), expected);
}

TEST_F(KernelWin32Test, NowIsTheLocalClockAndUtcNowTheSystemClock) {
    struct Clock {
        platform::LocalTime (KernelWin32::*read)();
        void(WINAPI* system)(SYSTEMTIME*);
    };
    for (const Clock clock :
         {Clock{&KernelWin32::Now, GetLocalTime}, Clock{&KernelWin32::UtcNow, GetSystemTime}}) {
        SYSTEMTIME before{};
        SYSTEMTIME after{};
        clock.system(&before);
        const platform::LocalTime now = (kernel.*clock.read)();
        clock.system(&after);
        const SYSTEMTIME read{.wYear = static_cast<WORD>(now.year),
                              .wMonth = static_cast<WORD>(now.month),
                              .wDayOfWeek = static_cast<WORD>(now.dayOfWeek),
                              .wDay = static_cast<WORD>(now.day),
                              .wHour = static_cast<WORD>(now.hour),
                              .wMinute = static_cast<WORD>(now.minute),
                              .wSecond = static_cast<WORD>(now.second),
                              .wMilliseconds = static_cast<WORD>(now.milliseconds)};
        EXPECT_LE(FileTimeOf(before), FileTimeOf(read));
        EXPECT_LE(FileTimeOf(read), FileTimeOf(after));
        EXPECT_EQ(now.dayOfWeek, DayOfWeek(DayNumber({now.year, now.month, now.day})) - 1);
    }
}

// Random, so what is checked is the form and that none comes twice.
TEST_F(KernelWin32Test, NewGuidsAreRandomVersion4TextsInLowerCase) {
    std::set<std::string> made;
    for (int i = 0; i < 2000; ++i) {
        const std::string guid = kernel.NewGuid();
        ASSERT_EQ(guid.size(), 36u) << guid;
        for (size_t at = 0; at < guid.size(); ++at) {
            const bool dash = at == 8 || at == 13 || at == 18 || at == 23;
            const bool hex =
                (guid[at] >= '0' && guid[at] <= '9') || (guid[at] >= 'a' && guid[at] <= 'f');
            ASSERT_TRUE(dash ? guid[at] == '-' : hex) << guid;
        }
        EXPECT_EQ(guid[14], '4') << guid;
        EXPECT_NE(std::string_view("89ab").find(guid[19]), std::string_view::npos) << guid;
        EXPECT_TRUE(made.insert(guid).second) << guid << " came twice";
    }
    std::set<char> digitsSeen;
    for (const std::string& guid : made)
        digitsSeen.insert(guid.begin(), guid.end());
    EXPECT_EQ(digitsSeen.size(), 17u) << "every hex digit and the dash";
}

TEST_F(KernelWin32Test, UptimeIsTheSystemsAndMovesOn) {
    const uint64_t before = GetTickCount64();
    const uint64_t first = kernel.UptimeMilliseconds();
    Sleep(50);
    const uint64_t second = kernel.UptimeMilliseconds();
    const uint64_t after = GetTickCount64();
    EXPECT_LE(before, first);
    EXPECT_LT(first, second);
    EXPECT_LE(second, after);
}

TEST_F(KernelWin32Test, EqualIgnoringCaseComparesTheTextsTheUserWouldSee) {
    EXPECT_TRUE(kernel.EqualIgnoringCase("am", "AM"));
    EXPECT_TRUE(kernel.EqualIgnoringCase("", ""));
    EXPECT_TRUE(kernel.EqualIgnoringCase("午後", "午後"));
    EXPECT_TRUE(kernel.EqualIgnoringCase("ａｍ", "ＡＭ"));
    EXPECT_FALSE(kernel.EqualIgnoringCase("am", "amx"));
    EXPECT_FALSE(kernel.EqualIgnoringCase("午前", "午後"));
    EXPECT_FALSE(kernel.EqualIgnoringCase("am", "ａｍ"));
}

// The search's comparison, in Japanese and in English: widths, kana and case alike, the place
// in UTF-16 units of the text, as the memo's control counts them; a letter with an accent and
// characters code page 932 lacks alike.
TEST_F(KernelWin32Test, FindIgnoringFormsFindsWhatAReaderTakesForTheSameWord) {
    using platform::TextSpan;
    const struct {
        const char16_t* text;
        const char16_t* word;
        std::optional<TextSpan> found;
    } rows[] = {
        {u"今日のメモ", u"メモ", TextSpan{3, 2}},
        {u"今日のメモ", u"ﾒﾓ", TextSpan{3, 2}},
        {u"今日のメモ", u"めも", TextSpan{3, 2}},
        {u"ﾒﾓ帳", u"めも", TextSpan{0, 2}},
        {u"めも帳", u"ﾒﾓ", TextSpan{0, 2}},
        {u"xabcx", u"ABC", TextSpan{1, 3}},
        {u"xabcx", u"ＡＢＣ", TextSpan{1, 3}},
        {u"xＡＢＣx", u"abc", TextSpan{1, 3}},
        {u"ａｂｃ ABC", u"Abc", TextSpan{0, 3}},
        {u"メモメモ", u"モ", TextSpan{1, 1}},
        {u"café ✓ 😀 简体", u"CAFÉ", TextSpan{0, 4}},
        {u"café ✓ 😀 简体", u"简体", TextSpan{10, 2}},
        {u"今日のメモ", u"メール", std::nullopt},
        {u"今日のメモ", u"", std::nullopt},
        {u"", u"メモ", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(kernel.FindIgnoringForms(row.text, row.word), row.found) << &row - rows;
}

TEST_F(KernelWin32Test, SetThreadLocaleToUserDefaultUndoesAnotherThreadLocale) {
    ASSERT_TRUE(SetThreadLocale(japanese ? 0x0409 : 0x0411));
    kernel.SetThreadLocaleToUserDefault();
    EXPECT_EQ(kernel.ThreadLocale(), locale);
}

// Random, not counted or taken from the clock: a hundred in a row all differ, each a GUID of
// version 4 and the standard variant, written as the store keeps ids.
TEST_F(KernelWin32Test, NewGuidsAreRandomVersion4InLowerCase) {
    std::set<std::string> made;
    for (int i = 0; i < 100; ++i) {
        const std::string id = kernel.NewGuid();
        EXPECT_TRUE(IsSyncId(id)) << id;
        EXPECT_EQ(id[14], '4') << id;
        EXPECT_NE(std::string_view("89ab").find(id[19]), std::string_view::npos) << id;
        made.insert(id);
    }
    EXPECT_EQ(made.size(), 100u);
}

} // namespace
} // namespace petarino::win32
