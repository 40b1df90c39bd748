#include "platform/fake/fake_kernel.h"

#include "calendar/japanese_eras.h"
#include "platform/fake/fake_code_page.h"
#include "platform/guid_text.h"
#include "text/ascii.h"
#include "text/cp932.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace petarino::platform {
namespace {

using Items = std::map<LocaleItem, std::string>;

void AddNames(Items& items, LocaleItem first, std::initializer_list<const char*> names) {
    int offset = 0;
    for (const char* name : names)
        items[Nth(first, offset++)] = name;
}

// Day names are numbered from Monday, as the system numbers them.
Items JapaneseItems() {
    Items items{
        {LocaleItem::DateSeparator, "/"},      {LocaleItem::TimeSeparator, ":"},
        {LocaleItem::ShortDate, "yyyy/MM/dd"}, {LocaleItem::LongDate, "yyyy'年'M'月'd'日'"},
        {LocaleItem::Morning, "午前"},         {LocaleItem::Afternoon, "午後"},
        {LocaleItem::TimeFormat, "1"},         {LocaleItem::HourLeadingZero, "0"},
        {LocaleItem::TimeMarkPosition, "1"},   {LocaleItem::CalendarType, "1"},
        {LocaleItem::DecimalSeparator, "."},
    };
    AddNames(items, LocaleItem::AbbrevMonthName1,
             {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    AddNames(
        items, LocaleItem::MonthName1,
        {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月", "12月"});
    AddNames(items, LocaleItem::AbbrevDayName1, {"月", "火", "水", "木", "金", "土", "日"});
    AddNames(items, LocaleItem::DayName1,
             {"月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日", "日曜日"});
    return items;
}

Items EnglishItems() {
    Items items{
        {LocaleItem::DateSeparator, "/"},    {LocaleItem::TimeSeparator, ":"},
        {LocaleItem::ShortDate, "M/d/yyyy"}, {LocaleItem::LongDate, "dddd, MMMM d, yyyy"},
        {LocaleItem::Morning, "AM"},         {LocaleItem::Afternoon, "PM"},
        {LocaleItem::TimeFormat, "0"},       {LocaleItem::HourLeadingZero, "0"},
        {LocaleItem::TimeMarkPosition, "0"}, {LocaleItem::CalendarType, "1"},
        {LocaleItem::DecimalSeparator, "."},
    };
    AddNames(items, LocaleItem::AbbrevMonthName1,
             {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"});
    AddNames(items, LocaleItem::MonthName1,
             {"January", "February", "March", "April", "May", "June", "July", "August", "September",
              "October", "November", "December"});
    AddNames(items, LocaleItem::AbbrevDayName1, {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"});
    AddNames(items, LocaleItem::DayName1,
             {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"});
    return items;
}

int DaysInMonth(int year, int month) {
    if (month == 2) return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0) ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

// The reading moved by whole days, forward or back, one day at a time: the UTC offsets the
// tests set move it by one day at most.
void MoveDays(LocalTime& time, int days) {
    for (; days > 0; --days) {
        time.dayOfWeek = (time.dayOfWeek + 1) % 7;
        if (++time.day <= DaysInMonth(time.year, time.month)) continue;
        time.day = 1;
        if (++time.month > 12) {
            time.month = 1;
            ++time.year;
        }
    }
    for (; days < 0; ++days) {
        time.dayOfWeek = (time.dayOfWeek + 6) % 7;
        if (--time.day >= 1) continue;
        if (--time.month < 1) {
            time.month = 12;
            --time.year;
        }
        time.day = DaysInMonth(time.year, time.month);
    }
}

std::string Digits(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

} // namespace

FakeKernel::FakeKernel(FakeLocale locale)
    : userDefaultLocaleId_(locale == FakeLocale::Japanese ? 0x0411 : 0x0409),
      localeId_(userDefaultLocaleId_), eastAsian_(locale == FakeLocale::Japanese),
      items_(locale == FakeLocale::Japanese ? JapaneseItems() : EnglishItems()) {}

LocalTime FakeKernel::UtcNow() {
    constexpr int kMinutesADay = 24 * 60;
    LocalTime utc = now_;
    const int minutes = now_.hour * 60 + now_.minute - utcOffsetMinutes_;
    const int ofDay = (minutes % kMinutesADay + kMinutesADay) % kMinutesADay; // [0, 1439]
    const int days = (minutes - ofDay) / kMinutesADay;
    utc.hour = ofDay / 60;
    utc.minute = ofDay % 60;
    MoveDays(utc, days);
    return utc;
}

std::string FakeKernel::NewGuid() {
    std::array<uint8_t, 16> bytes{};
    const uint64_t number = ++guids_;
    for (size_t i = 0; i < 6; ++i)
        bytes[15 - i] = static_cast<uint8_t>(number >> (8 * i));
    for (size_t i = 0; i < 4; ++i)
        bytes[3 - i] = static_cast<uint8_t>(guidSpace_ >> (8 * i));
    return GuidText(bytes);
}

std::string FakeKernel::LocaleInfo(uint32_t, LocaleItem item) {
    const auto found = items_.find(item);
    return found == items_.end() ? std::string() : found->second;
}

std::optional<std::string> FakeKernel::AltCalendarDate(uint32_t localeId, int year, int month,
                                                       int day, std::string_view picture) {
    const bool longYear = picture == "yyyy";
    if (picture != "gg" && picture != "yy" && !longYear) return std::nullopt;
    const bool japanese = localeId == 0x0411;
    if (!japanese || gregorianEras_) {
        if (picture == "gg") return japanese ? "西暦西暦" : "A.D.";
        return longYear ? Digits(year, 4) : Digits(year % 100, 2);
    }
    const auto era = FindJapaneseEra(year, month, day);
    if (!era) return std::nullopt;
    return picture == "gg" ? era->name : EraYearText(era->year);
}

bool FakeKernel::EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<TextSpan> FakeKernel::FindIgnoringForms(std::u16string_view text,
                                                      std::u16string_view word) {
    const auto upper = [](char16_t unit) {
        return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
    };
    const auto startsWith = [&](std::u16string_view rest) {
        return rest.size() >= word.size() &&
               std::equal(word.begin(), word.end(), rest.begin(),
                          [&](char16_t a, char16_t b) { return upper(a) == upper(b); });
    };
    if (word.empty()) return std::nullopt;
    for (std::size_t at = 0; at < text.size(); ++at)
        if (startsWith(text.substr(at))) return TextSpan{at, word.size()};
    return std::nullopt;
}

std::optional<std::string> FakeKernel::Utf8OfCp932(std::string_view cp932) {
    return Recoded("CP932", "UTF-8", cp932);
}

std::optional<std::string> FakeKernel::Cp932OfUtf8(std::string_view utf8) {
    return Recoded("UTF-8", "CP932", utf8);
}

std::optional<std::string> FakeKernel::Cp932OfUtf16(std::u16string_view text) {
    return ExactCp932OfUtf16(text);
}

std::u16string FakeKernel::Utf16OfCp932(std::string_view cp932) {
    return platform::Utf16OfCp932(cp932);
}

} // namespace petarino::platform
