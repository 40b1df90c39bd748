// The kernel services the core needs: the clock, the uptime counter, new identifiers, locale
// data and the alternate (era) calendar. Texts are CP932 bytes, whatever the system code page,
// but for a memo's, which are UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace petarino::platform {

// Locale items, numbered as the Windows LCTYPE constants so the Win32 side passes them on.
enum class LocaleItem : uint32_t {
    DecimalSeparator = 0x0E,   // LOCALE_SDECIMAL
    DateSeparator = 0x1D,      // LOCALE_SDATE
    TimeSeparator = 0x1E,      // LOCALE_STIME
    ShortDate = 0x1F,          // LOCALE_SSHORTDATE
    LongDate = 0x20,           // LOCALE_SLONGDATE
    TimeFormat = 0x23,         // LOCALE_ITIME: "0" 12-hour, "1" 24-hour
    HourLeadingZero = 0x25,    // LOCALE_ITLZERO
    Morning = 0x28,            // LOCALE_S1159
    Afternoon = 0x29,          // LOCALE_S2359
    DayName1 = 0x2A,           // LOCALE_SDAYNAME1 (Monday) .. +6 (Sunday)
    AbbrevDayName1 = 0x31,     // LOCALE_SABBREVDAYNAME1 (Monday) .. +6 (Sunday)
    MonthName1 = 0x38,         // LOCALE_SMONTHNAME1 .. +11
    AbbrevMonthName1 = 0x44,   // LOCALE_SABBREVMONTHNAME1 .. +11
    TimeMarkPosition = 0x1005, // LOCALE_ITIMEMARKPOSN
    CalendarType = 0x1009,     // LOCALE_ICALENDARTYPE
};

constexpr LocaleItem Nth(LocaleItem first, int offset) {
    return static_cast<LocaleItem>(static_cast<uint32_t>(first) + static_cast<uint32_t>(offset));
}

// A clock's reading, as the system gives it: the local clock's, or UTC's for Kernel::UtcNow.
struct LocalTime {
    int year = 1601;
    int month = 1;     // [1, 12]
    int dayOfWeek = 0; // [0, 6], 0 = Sunday
    int day = 1;       // [1, 31]
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// A stretch of a text, in its units: bytes of CP932, or UTF-16 units of a memo's text.
struct TextSpan {
    std::size_t offset = 0;
    std::size_t length = 0;
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

struct ByteRange {
    uint8_t first = 0;
    uint8_t last = 0;
    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

class Kernel {
public:
    virtual ~Kernel() = default;

    virtual LocalTime Now() = 0;
    // The clock in UTC, for stamps that machines in other time zones compare.
    virtual LocalTime UtcNow() = 0;
    // Milliseconds since the system started; 64 bits, so it never wraps.
    virtual uint64_t UptimeMilliseconds() = 0;
    // A new random identifier: a version-4 GUID in lower case without braces, 36 characters
    // ("0f8fad5b-d9cb-469f-a165-70867728950e").
    virtual std::string NewGuid() = 0;

    virtual uint32_t ThreadLocale() = 0; // 0 when the system answers nothing
    virtual void SetThreadLocaleToUserDefault() = 0;
    // The item's text without its terminating NUL; empty when the locale gives nothing.
    virtual std::string LocaleInfo(uint32_t localeId, LocaleItem item) = 0;
    // Whether the system runs with double-byte character sets enabled.
    virtual bool EastAsian() = 0;
    // The lead-byte ranges that code page 932 declares.
    virtual std::vector<ByteRange> Cp932LeadByteRanges() = 0;
    // The date written with the locale's alternate calendar in a picture such as "gg" or
    // "yy"; nullopt when the system cannot write it.
    virtual std::optional<std::string> AltCalendarDate(uint32_t localeId, int year, int month,
                                                       int day, std::string_view picture) = 0;
    // Whether two texts are equal when case is ignored by the user's default locale.
    virtual bool EqualIgnoringCase(std::string_view a, std::string_view b) = 0;
    // Where `word` first occurs in `text` as a reader finds it: case, full- against half-width
    // forms and hiragana against katakana make no difference. Nullopt for an empty word. In
    // UTF-16 units, as a memo's text and the search box hold them.
    virtual std::optional<TextSpan> FindIgnoringForms(std::u16string_view text,
                                                      std::u16string_view word) = 0;
    // Code page 932 to UTF-8 and back, for files other programs read; nullopt when the
    // input is not a valid text of its encoding or holds what the other cannot.
    virtual std::optional<std::string> Utf8OfCp932(std::string_view cp932) = 0;
    virtual std::optional<std::string> Cp932OfUtf8(std::string_view utf8) = 0;
    // A memo's UTF-16 in code page 932: nullopt unless every character converts and comes
    // back exactly (no look-alike stands in, a lone surrogate never converts).
    virtual std::optional<std::string> Cp932OfUtf16(std::u16string_view text) = 0;
    // Code page 932 in UTF-16 as the system converts it for the W functions.
    virtual std::u16string Utf16OfCp932(std::string_view cp932) = 0;
};

} // namespace petarino::platform
