#include "platform/fake/fake_kernel.h"

#include "calendar/japanese_eras.h"

#include <algorithm>
#include <cstdio>
#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

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

namespace {

#if __has_include(<iconv.h>)
// The C library's tables, which know code page 932 as the system does.
std::optional<std::string> Converted(const char* from, const char* to, std::string_view bytes) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes);
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inAt = in.data();
    size_t inLeft = in.size();
    char* outAt = out.data();
    size_t outLeft = out.size();
    const size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
#else
// Without the C library's tables (the Windows build) only ASCII converts: what needs the
// tables fails to convert, as a text the other encoding cannot hold.
std::optional<std::string> Converted(const char*, const char*, std::string_view bytes) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }))
        return std::nullopt;
    return std::string(bytes);
}
#endif

} // namespace

std::optional<std::string> FakeKernel::Utf8OfCp932(std::string_view cp932) {
    return Converted("CP932", "UTF-8", cp932);
}

std::optional<std::string> FakeKernel::Cp932OfUtf8(std::string_view utf8) {
    return Converted("UTF-8", "CP932", utf8);
}

std::string FakeKernel::NewGuid() {
    char text[37];
    std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012llx",
                  static_cast<unsigned long long>(++guids_));
    return text;
}

} // namespace petarino::platform
