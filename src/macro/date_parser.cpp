#include "macro/date_parser.h"

#include "macro/convert_error.h"
#include "text/cp932.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace petarino {
namespace {

constexpr bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

// The position never passes the end of the text, so no step can read beyond it, not even
// one that passes a lead byte standing last.
class DateScanner {
public:
    explicit DateScanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }

    // Blanks are 0x20 alone: a tab or a line break is no blank.
    void SkipBlanks() {
        while (!AtEnd() && text_[pos_] == ' ')
            ++pos_;
    }

    void SkipNonBlanks() {
        while (!AtEnd() && text_[pos_] != ' ')
            ++pos_;
    }

    void SkipToDigit() {
        while (!AtEnd() && !IsDigit(text_[pos_]))
            pos_ = std::min(pos_ + (IsLeadByte(text_[pos_]) ? 2 : 1), text_.size());
    }

    // Digits are taken only while the value is below 1000, so "19960" leaves its "0"
    // unread while leading zeros cost nothing: "0001996" is 1996.
    std::optional<int> ReadNumber() {
        SkipBlanks();
        const std::size_t start = pos_;
        uint16_t value = 0;
        while (!AtEnd() && IsDigit(text_[pos_]) && value < 1000)
            value = static_cast<uint16_t>(value * 10 + (text_[pos_++] - '0'));
        if (pos_ == start) return std::nullopt;
        return value;
    }

    bool Match(char separator) {
        SkipBlanks();
        if (AtEnd() || text_[pos_] != separator) return false;
        ++pos_;
        return true;
    }

    bool StartsWith(std::string_view word, platform::Kernel& kernel) const {
        return kernel.EqualIgnoringCase(text_.substr(pos_, word.size()), word);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A short date that shows the day name lets that name follow the typed date; a time after
// it still makes the text no date, since the scan stops in front of the time.
void SkipTrailingText(DateScanner& scanner, const FormatSettings& settings,
                      platform::Kernel& kernel) {
    if (!settings.shortTimeFormat.empty() && IsDigit(settings.shortTimeFormat.front())) {
        scanner.SkipToDigit();
        return;
    }
    do {
        scanner.SkipNonBlanks();
        scanner.SkipBlanks();
    } while (!scanner.AtEnd() && !scanner.StartsWith(settings.morning, kernel) &&
             !scanner.StartsWith(settings.afternoon, kernel));
}

std::optional<CivilDate> ScanDate(std::string_view text, const FormatLocale& locale,
                                  platform::Kernel& kernel) {
    const FormatSettings& settings = locale.settings;
    const char separator = settings.dateSeparator;
    const DateOrder order = DateOrderOf(settings.shortDateFormat);
    DateScanner scanner(text);

    // An era name may stand in front of the year.
    if (settings.shortDateFormat.starts_with('g')) scanner.SkipToDigit();

    const auto first = scanner.ReadNumber();
    if (!first || !scanner.Match(separator)) return std::nullopt;
    const auto second = scanner.ReadNumber();
    if (!second) return std::nullopt;

    CivilDate date;
    if (scanner.Match(separator)) {
        const auto third = scanner.ReadNumber();
        if (!third) return std::nullopt;
        switch (order) {
        case DateOrder::MonthDayYear: date = {*third, *first, *second}; break;
        case DateOrder::DayMonthYear: date = {*third, *second, *first}; break;
        case DateOrder::YearMonthDay: date = {*first, *second, *third}; break;
        }
        // The value decides, not the digits typed: "0096" gets the century too.
        if (date.year <= 99) date.year += kernel.Now().year / 100 * 100;
    } else if (order == DateOrder::DayMonthYear) {
        date = {kernel.Now().year, *second, *first};
    } else {
        date = {kernel.Now().year, *first, *second};
    }

    scanner.Match(separator);
    scanner.SkipBlanks();
    if (locale.identity.eastAsian && settings.shortDateFormat.find("ddd") != std::string::npos)
        SkipTrailingText(scanner, settings, kernel);

    if (!date.ok() || !scanner.AtEnd()) return std::nullopt;
    return date;
}

} // namespace

// Byte by byte, not by character: a second byte equal to one of the letters decides too.
DateOrder DateOrderOf(std::string_view shortDateFormat) {
    for (const char byte : shortDateFormat) {
        switch (byte) {
        case 'd':
        case 'D': return DateOrder::DayMonthYear;
        case 'e':
        case 'E':
        case 'y':
        case 'Y': return DateOrder::YearMonthDay;
        case 'm':
        case 'M': return DateOrder::MonthDayYear;
        default: break;
        }
    }
    return DateOrder::MonthDayYear;
}

DateTime ParseDate(std::string_view text, const FormatLocale& locale, platform::Kernel& kernel) {
    const auto date = ScanDate(text, locale, kernel);
    if (!date) throw EConvertError(text);
    return DayNumber(*date);
}

} // namespace petarino
