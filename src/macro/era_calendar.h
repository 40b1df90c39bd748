// Era names and years within the era, for the "g" and "e" tokens of the format language.
#pragma once

#include "macro/date_time.h"
#include "macro/format_settings.h"
#include "platform/kernel.h"

#include <optional>
#include <string>
#include <string_view>

namespace petarino {

// The system's alternate calendar of the thread locale. Where a Japanese locale gets no
// emperor eras from the system (it answers the Gregorian era), the program's own table
// stands in. The answers for the last date asked are kept: a memo asks for the same day
// every second, and the system's date formatter is slow.
class EraCalendar {
public:
    EraCalendar(platform::Kernel& kernel, const LocaleIdentity& identity);

    // The era's full name; empty when there is none.
    std::string EraName(const CivilDate& date);
    // The year within the era: "yy" picture when longForm is false, "yyyy" when true;
    // empty when there is none.
    std::string EraYear(const CivilDate& date, bool longForm);

private:
    struct Answers {
        uint32_t localeId = 0;
        CivilDate date;
        std::string name, year, longYear;
    };

    const Answers& AnswersFor(const CivilDate& date);
    bool SystemLacksJapaneseEras();
    std::string SystemAnswer(uint32_t localeId, const CivilDate& date, std::string_view picture);

    platform::Kernel& kernel_;
    LocaleIdentity identity_;
    std::optional<bool> ownJapaneseTable_; // decided at the first question
    std::optional<Answers> last_;
};

// The "g" token's short era name: a Japanese name's first character, the last two of a
// four-character traditional Chinese name, any other name whole.
std::string_view ShortenEraName(std::string_view name, const LocaleIdentity& identity);

} // namespace petarino
