#include "calendar/japanese_eras.h"

#include <array>
#include <tuple>

namespace petarino {
namespace {

struct Era {
    const char* name;
    int year;
    int month;
    int day;

    auto Start() const { return std::tuple(year, month, day); }
};

constexpr std::array<Era, 5> kEras{{
    {"明治", 1868, 1, 1},
    {"大正", 1912, 7, 30},
    {"昭和", 1926, 12, 25},
    {"平成", 1989, 1, 8},
    {"令和", 2019, 5, 1},
}};

} // namespace

std::optional<JapaneseEraDate> FindJapaneseEra(int year, int month, int day) {
    const auto date = std::tuple(year, month, day);
    for (auto era = kEras.rbegin(); era != kEras.rend(); ++era) {
        if (date >= era->Start()) return JapaneseEraDate{era->name, year - era->year + 1};
    }
    return std::nullopt;
}

std::string EraYearText(int year) {
    std::string text = std::to_string(year);
    return text.size() < 2 ? "0" + text : text;
}

} // namespace petarino
