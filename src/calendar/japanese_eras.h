// The program's own table of Japanese eras, for systems whose calendar data lacks them.
// It knows nothing but the Gregorian dates where the eras begin, so the fake kernel can
// answer from it too.
#pragma once

#include <optional>
#include <string>

namespace petarino {

struct JapaneseEraDate {
    std::string name; // CP932, e.g. "平成"
    int year = 1;     // year within the era, 1 in the era's first year
};

// nullopt before 1868-01-01, where the table has no era.
std::optional<JapaneseEraDate> FindJapaneseEra(int year, int month, int day);

// The year within the era as the "yy" and "yyyy" pictures write it: at least two digits.
std::string EraYearText(int year);

} // namespace petarino
