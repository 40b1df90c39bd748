// How much of a memo shows: a plain window at 100 %, see-through down to 50 %, where its text
// still reads over whatever lies behind it.
#pragma once

#include <cstdint>

namespace petarino {

inline constexpr int32_t kOpaque = 100;
inline constexpr int32_t kLeastOpacity = 50;

constexpr bool IsOpacity(int32_t percent) {
    return percent >= kLeastOpacity && percent <= kOpaque;
}

} // namespace petarino
