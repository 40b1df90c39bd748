#include "macro/day_count.h"

namespace petarino {

std::string DayCountText(int32_t days) {
    return std::to_string(days);
}

} // namespace petarino
