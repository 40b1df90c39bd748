// Era names and years within the era, for the "g" and "e" tokens of the format language.
#pragma once

#include "macro/date_time.h"
#include "macro/format_settings.h"
#include "platform/kernel.h"

#include <string>

namespace petarino {

class EraCalendar {
public:
    EraCalendar(platform::Kernel& kernel, const LocaleIdentity& identity);

    // The era's full name; empty when there is none.
    std::string EraName(const CivilDate& date);
    // The year within the era: "yy" picture when longForm is false, "yyyy" when true.
    std::string EraYear(const CivilDate& date, bool longForm);

private:
    // (implementation's members)
};

} // namespace petarino
