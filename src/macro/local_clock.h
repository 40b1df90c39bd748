// The local clock as the macros read it: one reading gives the date and the time of day.
#pragma once

#include "macro/date_time.h"
#include "platform/kernel.h"

namespace petarino {

// The date and time of day now, as the "N" macro formats it.
DateTime CurrentDateTime(platform::Kernel& kernel);
// The local clock's date at 00:00.
DateTime Today(platform::Kernel& kernel);

} // namespace petarino
