#include "macro/format_settings.h"

#include "text/ascii.h"
#include "text/cp932.h"

#include <charconv>
#include <string_view>

namespace petarino {
namespace {

using platform::Kernel;
using platform::LocaleItem;

constexpr uint32_t kEnglishUnitedStates = 0x0409;
// The buffer of a text item holds 256 bytes with the terminating NUL; a longer item fails.
constexpr std::size_t kLocaleTextMaxBytes = 255;

class LocaleReader {
public:
    LocaleReader(Kernel& kernel, uint32_t localeId) : kernel_(kernel), localeId_(localeId) {}

    std::string Text(LocaleItem item, std::string_view fallback) const {
        std::string text = kernel_.LocaleInfo(localeId_, item);
        if (text.empty() || text.size() > kLocaleTextMaxBytes) return std::string(fallback);
        return text;
    }

    // Read into a 2-byte buffer: only a text of one byte fits beside its NUL.
    char Byte(LocaleItem item, char fallback) const {
        const std::string text = kernel_.LocaleInfo(localeId_, item);
        return text.size() == 1 ? text.front() : fallback;
    }

    int Number(LocaleItem item, int fallback) const {
        const std::string text = kernel_.LocaleInfo(localeId_, item);
        const char* const end = text.data() + text.size();
        int value = 0;
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        return error == std::errc() && stop == end ? value : fallback;
    }

private:
    Kernel& kernel_;
    uint32_t localeId_;
};

bool UsesCjkScript(const LocaleIdentity& identity) {
    const int language = identity.PrimaryLanguage();
    return language == kLangChinese || language == kLangJapanese || language == kLangKorean;
}

// An era calendar writes its year within the era ("e") and its era name in full ("ggg").
std::string ToEraCalendarPicture(std::string_view picture) {
    std::string result;
    while (!picture.empty()) {
        std::size_t consumed = CharacterBytes(picture);
        if (consumed == 2) {
            result.append(picture.substr(0, 2));
        } else if (StartsWithIgnoringAsciiCase(picture, "GG")) {
            result += "ggg";
            consumed = 2;
        } else if (StartsWithIgnoringAsciiCase(picture, "YYYY")) {
            result += "ee";
            consumed = 4;
        } else if (StartsWithIgnoringAsciiCase(picture, "YY")) {
            result += "ee";
            consumed = 2;
        } else if (StartsWithIgnoringAsciiCase(picture, "Y")) {
            result += 'e';
        } else {
            result += picture.front();
        }
        picture.remove_prefix(consumed);
    }
    return result;
}

// With the Gregorian calendar an East Asian era name would only say "A.D.". A double-byte
// character is kept whole: its second byte may be a "g".
std::string WithoutEraNames(std::string_view picture) {
    std::string result;
    while (!picture.empty()) {
        const std::size_t bytes = CharacterBytes(picture);
        if (bytes == 2 || ToAsciiUpper(picture.front()) != 'G')
            result.append(picture.substr(0, bytes));
        picture.remove_prefix(bytes);
    }
    return result;
}

std::string TranslateDateForm(std::string picture, int calendarType,
                              const LocaleIdentity& identity) {
    constexpr int kJapaneseEmperorEra = 3, kTaiwan = 4, kKoreanEra = 5;
    if (calendarType == kJapaneseEmperorEra || calendarType == kTaiwan ||
        calendarType == kKoreanEra)
        return ToEraCalendarPicture(picture);
    if (UsesCjkScript(identity)) return WithoutEraNames(picture);
    return picture;
}

// The locale's own time picture is not used: the forms are built from its clock options.
void BuildTimeForms(const LocaleReader& reader, FormatSettings& settings) {
    const std::string hour = reader.Number(LocaleItem::HourLeadingZero, 0) != 0 ? "hh" : "h";
    std::string prefix, suffix;
    if (reader.Number(LocaleItem::TimeFormat, 0) == 0) {
        if (reader.Number(LocaleItem::TimeMarkPosition, 0) != 0)
            prefix = "AMPM ";
        else
            suffix = " AMPM";
    }
    settings.shortTimeFormat = prefix + hour + ":mm" + suffix;
    settings.longTimeFormat = prefix + hour + ":mm:ss" + suffix;
}

void LoadSettingsExceptNames(const LocaleReader& reader, const LocaleIdentity& identity,
                             FormatSettings& settings) {
    const FormatSettings fallback;
    settings.dateSeparator = reader.Byte(LocaleItem::DateSeparator, fallback.dateSeparator);
    settings.timeSeparator = reader.Byte(LocaleItem::TimeSeparator, fallback.timeSeparator);
    settings.decimalSeparator =
        reader.Byte(LocaleItem::DecimalSeparator, fallback.decimalSeparator);

    const int calendarType = reader.Number(LocaleItem::CalendarType, 1);
    settings.shortDateFormat = TranslateDateForm(
        reader.Text(LocaleItem::ShortDate, fallback.shortDateFormat), calendarType, identity);
    settings.longDateFormat = TranslateDateForm(
        reader.Text(LocaleItem::LongDate, fallback.longDateFormat), calendarType, identity);

    settings.morning = reader.Text(LocaleItem::Morning, fallback.morning);
    settings.afternoon = reader.Text(LocaleItem::Afternoon, fallback.afternoon);
    BuildTimeForms(reader, settings);
}

void LoadNames(const LocaleReader& reader, FormatSettings& settings) {
    const FormatSettings fallback;
    for (int month = 0; month < 12; ++month) {
        const auto i = static_cast<std::size_t>(month);
        settings.shortMonthNames[i] =
            reader.Text(Nth(LocaleItem::AbbrevMonthName1, month), fallback.shortMonthNames[i]);
        settings.longMonthNames[i] =
            reader.Text(Nth(LocaleItem::MonthName1, month), fallback.longMonthNames[i]);
    }
    // Our days count from Sunday, the system's from Monday.
    for (int day = 0; day < 7; ++day) {
        const auto i = static_cast<std::size_t>(day);
        const int systemDay = (day + 6) % 7;
        settings.shortDayNames[i] =
            reader.Text(Nth(LocaleItem::AbbrevDayName1, systemDay), fallback.shortDayNames[i]);
        settings.longDayNames[i] =
            reader.Text(Nth(LocaleItem::DayName1, systemDay), fallback.longDayNames[i]);
    }
}

} // namespace

FormatLocale LoadFormatLocale(platform::Kernel& kernel) {
    FormatLocale locale;
    const uint32_t threadLocale = kernel.ThreadLocale();
    locale.identity.localeId = threadLocale != 0 ? threadLocale : kEnglishUnitedStates;
    locale.identity.eastAsian = kernel.EastAsian();

    const LocaleReader reader(kernel, threadLocale);
    LoadSettingsExceptNames(reader, locale.identity, locale.settings);
    LoadNames(reader, locale.settings);
    return locale;
}

void ReloadFormatSettings(platform::Kernel& kernel, FormatLocale& locale) {
    kernel.SetThreadLocaleToUserDefault();
    LoadSettingsExceptNames(LocaleReader(kernel, kernel.ThreadLocale()), locale.identity,
                            locale.settings);
}

void ReplaceShortDayNames(FormatSettings& settings) {
    settings.shortDayNames = FormatSettings().shortDayNames;
}

} // namespace petarino
