// Where a new memo window goes before the user moves it: as the window system places new
// windows, each one step lower and further right than the one before, starting again near
// the top left once the next would leave the work area.
#pragma once

#include "memos/memo_geometry.h"

#include <cstdint>

namespace petarino {

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The position of the n-th new window (n from 0) of the given outer size; step is positive.
ScreenPoint CascadePosition(int64_t n, const WorkArea& workArea, int32_t width, int32_t height,
                            int32_t step);

} // namespace petarino
