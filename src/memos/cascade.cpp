#include "memos/cascade.h"

#include <algorithm>

namespace petarino {
namespace {

// How many positions one step apart, from one step in, keep a window of this size inside.
int64_t PositionsThatFit(int32_t low, int32_t high, int32_t size, int32_t step) {
    const int64_t room = int64_t{high} - low - size;
    return std::max<int64_t>(1, room / step);
}

} // namespace

ScreenPoint CascadePosition(int64_t n, const WorkArea& workArea, int32_t width, int32_t height,
                            int32_t step) {
    step = std::max(step, 1);
    const int64_t cycle = std::min(PositionsThatFit(workArea.left, workArea.right, width, step),
                                   PositionsThatFit(workArea.top, workArea.bottom, height, step));
    const int64_t offset = (n % cycle + 1) * step;
    return {static_cast<int32_t>(workArea.left + offset),
            static_cast<int32_t>(workArea.top + offset)};
}

} // namespace petarino
