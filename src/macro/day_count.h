// The two ends of the "A" and "S" macros' day counts that are not the typed date: today's
// date and the text of the count.
#pragma once

#include "macro/date_time.h"
#include "platform/kernel.h"

#include <cstdint>
#include <string>

namespace petarino {

// The local clock's date at 00:00.
DateTime Today(platform::Kernel& kernel);

// Plain decimal: "-" for a negative count, no sign, grouping or leading zeros otherwise.
std::string DayCountText(int32_t days);

} // namespace petarino
