// The text of the "A" and "S" macros' day counts.
#pragma once

#include <cstdint>
#include <string>

namespace petarino {

// Plain decimal: "-" for a negative count, no sign, grouping or leading zeros otherwise.
std::string DayCountText(int32_t days);

} // namespace petarino
