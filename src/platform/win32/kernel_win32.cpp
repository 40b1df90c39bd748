#include "platform/win32/kernel_win32.h"

#include "platform/guid_text.h"
#include "platform/win32/cp932_win32.h"

#include <windows.h>
#include <array>
#include <cwchar>
#include <ntsecapi.h>
#include <stdexcept>

namespace petarino::win32 {
namespace {

using platform::LocaleItem;

// The items are passed on as they are, so their numbers must be the system's.
static_assert(static_cast<LCTYPE>(LocaleItem::DecimalSeparator) == LOCALE_SDECIMAL);
static_assert(static_cast<LCTYPE>(LocaleItem::DateSeparator) == LOCALE_SDATE);
static_assert(static_cast<LCTYPE>(LocaleItem::TimeSeparator) == LOCALE_STIME);
static_assert(static_cast<LCTYPE>(LocaleItem::ShortDate) == LOCALE_SSHORTDATE);
static_assert(static_cast<LCTYPE>(LocaleItem::LongDate) == LOCALE_SLONGDATE);
static_assert(static_cast<LCTYPE>(LocaleItem::TimeFormat) == LOCALE_ITIME);
static_assert(static_cast<LCTYPE>(LocaleItem::HourLeadingZero) == LOCALE_ITLZERO);
static_assert(static_cast<LCTYPE>(LocaleItem::Morning) == LOCALE_S1159);
static_assert(static_cast<LCTYPE>(LocaleItem::Afternoon) == LOCALE_S2359);
static_assert(static_cast<LCTYPE>(LocaleItem::DayName1) == LOCALE_SDAYNAME1);
static_assert(static_cast<LCTYPE>(Nth(LocaleItem::DayName1, 6)) == LOCALE_SDAYNAME7);
static_assert(static_cast<LCTYPE>(LocaleItem::AbbrevDayName1) == LOCALE_SABBREVDAYNAME1);
static_assert(static_cast<LCTYPE>(Nth(LocaleItem::AbbrevDayName1, 6)) == LOCALE_SABBREVDAYNAME7);
static_assert(static_cast<LCTYPE>(LocaleItem::MonthName1) == LOCALE_SMONTHNAME1);
static_assert(static_cast<LCTYPE>(Nth(LocaleItem::MonthName1, 11)) == LOCALE_SMONTHNAME12);
static_assert(static_cast<LCTYPE>(LocaleItem::AbbrevMonthName1) == LOCALE_SABBREVMONTHNAME1);
static_assert(static_cast<LCTYPE>(Nth(LocaleItem::AbbrevMonthName1, 11)) ==
              LOCALE_SABBREVMONTHNAME12);
static_assert(static_cast<LCTYPE>(LocaleItem::TimeMarkPosition) == LOCALE_ITIMEMARKPOSN);
static_assert(static_cast<LCTYPE>(LocaleItem::CalendarType) == LOCALE_ICALENDARTYPE);

// The W functions count characters, not CP932 bytes, so no fixed buffer is right for every
// item: ask for the size first. `call(buffer, size)` returns what the API returns.
template <typename Call> std::optional<std::wstring> ReadText(Call call) {
    const int size = call(nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (call(text.data(), size) <= 0) return std::nullopt;
    text.resize(std::wcslen(text.c_str()));
    return text;
}

bool FitsWord(int value) {
    return value >= 0 && value <= 0xFFFF;
}

} // namespace

namespace {

platform::LocalTime ReadingOf(const SYSTEMTIME& time) {
    return {.year = time.wYear,
            .month = time.wMonth,
            .dayOfWeek = time.wDayOfWeek,
            .day = time.wDay,
            .hour = time.wHour,
            .minute = time.wMinute,
            .second = time.wSecond,
            .milliseconds = time.wMilliseconds};
}

} // namespace

platform::LocalTime KernelWin32::Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ReadingOf(now);
}

platform::LocalTime KernelWin32::UtcNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return ReadingOf(now);
}

uint64_t KernelWin32::UptimeMilliseconds() {
    return GetTickCount64();
}

// The system's own random source in advapi32, already loaded for the registry; COM's
// CoCreateGuid would bring ole32 into the process for sixteen bytes.
std::string KernelWin32::NewGuid() {
    std::array<uint8_t, 16> bytes{};
    if (!RtlGenRandom(bytes.data(), static_cast<ULONG>(bytes.size())))
        throw std::runtime_error("乱数を得られません");
    return platform::GuidText(bytes);
}

uint32_t KernelWin32::ThreadLocale() {
    return GetThreadLocale();
}

void KernelWin32::SetThreadLocaleToUserDefault() {
    SetThreadLocale(LOCALE_USER_DEFAULT);
}

std::string KernelWin32::LocaleInfo(uint32_t localeId, LocaleItem item) {
    const auto text = ReadText([&](wchar_t* buffer, int size) {
        return GetLocaleInfoW(localeId, static_cast<LCTYPE>(item), buffer, size);
    });
    return text ? FromWide(*text) : std::string();
}

bool KernelWin32::EastAsian() {
    return GetSystemMetrics(SM_DBCSENABLED) != 0;
}

std::vector<platform::ByteRange> KernelWin32::Cp932LeadByteRanges() {
    CPINFO info{};
    if (!GetCPInfo(932, &info)) return {};
    std::vector<platform::ByteRange> ranges;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        ranges.push_back({info.LeadByte[i], info.LeadByte[i + 1]});
    return ranges;
}

std::optional<std::string> KernelWin32::AltCalendarDate(uint32_t localeId, int year, int month,
                                                        int day, std::string_view picture) {
    // A value cut to 16 bits would name another date, and the system would answer for it.
    if (!FitsWord(year) || !FitsWord(month) || !FitsWord(day)) return std::nullopt;
    const SYSTEMTIME date{.wYear = static_cast<WORD>(year),
                          .wMonth = static_cast<WORD>(month),
                          .wDayOfWeek = 0,
                          .wDay = static_cast<WORD>(day),
                          .wHour = 0,
                          .wMinute = 0,
                          .wSecond = 0,
                          .wMilliseconds = 0};
    const std::wstring widePicture = ToWide(picture);
    const auto text = ReadText([&](wchar_t* buffer, int size) {
        return GetDateFormatW(localeId, DATE_USE_ALT_CALENDAR, &date, widePicture.c_str(), buffer,
                              size);
    });
    if (!text) return std::nullopt;
    return FromWide(*text);
}

bool KernelWin32::EqualIgnoringCase(std::string_view a, std::string_view b) {
    const std::wstring wideA = ToWide(a);
    const std::wstring wideB = ToWide(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                          static_cast<int>(wideA.size()), wideB.data(),
                          static_cast<int>(wideB.size())) == CSTR_EQUAL;
}

std::optional<platform::TextSpan> KernelWin32::FindIgnoringForms(std::u16string_view text,
                                                                 std::u16string_view word) {
    if (word.empty() || text.empty()) return std::nullopt;
    int found = 0;
    const int at = FindNLSStringEx(
        LOCALE_NAME_USER_DEFAULT,
        FIND_FROMSTART | NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE,
        reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
        reinterpret_cast<const wchar_t*>(word.data()), static_cast<int>(word.size()), &found,
        nullptr, nullptr, 0);
    if (at < 0) return std::nullopt;
    return platform::TextSpan{static_cast<std::size_t>(at), static_cast<std::size_t>(found)};
}

namespace {

// Nothing unless every byte is a character of the code page.
std::optional<std::wstring> WideOf(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return wide;
}

// No look-alike stands in for a character the code page lacks: that is a failure.
std::optional<std::string> BytesOf(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    BOOL* const lossyOut = codePage == CP_UTF8 ? nullptr : &lossy;
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossyOut);
    if (length == 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::optional<std::string> Converted(UINT from, UINT to, std::string_view bytes) {
    const auto wide = WideOf(from, bytes);
    return wide ? BytesOf(to, *wide) : std::nullopt;
}

} // namespace

std::optional<std::string> KernelWin32::Utf8OfCp932(std::string_view cp932) {
    return Converted(932, CP_UTF8, cp932);
}

std::optional<std::string> KernelWin32::Cp932OfUtf8(std::string_view utf8) {
    return Converted(CP_UTF8, 932, utf8);
}

// Converted back as well: only a text that comes back unit for unit fits the code page.
std::optional<std::string> KernelWin32::Cp932OfUtf16(std::u16string_view text) {
    const std::wstring_view wide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    auto bytes = BytesOf(932, wide);
    if (!bytes || ToWide(*bytes) != wide) return std::nullopt;
    return bytes;
}

std::u16string KernelWin32::Utf16OfCp932(std::string_view cp932) {
    const std::wstring wide = ToWide(cp932);
    return std::u16string(wide.begin(), wide.end());
}

} // namespace petarino::win32
