#include "macro/day_count.h"

namespace petarino {

DateTime Today(platform::Kernel& kernel) {
    const platform::LocalTime now = kernel.Now();
    return DayNumber({now.year, now.month, now.day});
}

std::string DayCountText(int32_t days) {
    return std::to_string(days);
}

} // namespace petarino
