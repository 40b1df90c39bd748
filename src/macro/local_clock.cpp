#include "macro/local_clock.h"

namespace petarino {

DateTime CurrentDateTime(platform::Kernel& kernel) {
    const platform::LocalTime now = kernel.Now();
    return EncodeDateTime({now.year, now.month, now.day},
                          {now.hour, now.minute, now.second, now.milliseconds});
}

DateTime Today(platform::Kernel& kernel) {
    const platform::LocalTime now = kernel.Now();
    return DayNumber({now.year, now.month, now.day});
}

} // namespace petarino
