#include "memos/work_area_clamp.h"

#include <cstdint>

namespace petarino {
namespace {

// 64 bits: a damaged store may hold any position and size.
int32_t ClampAxis(int32_t start, int32_t size, int32_t low, int32_t high) {
    if (start < low) return low;
    const int64_t end = int64_t{start} + size;
    if (end > high) return static_cast<int32_t>(int64_t{high} - size);
    return start;
}

bool AxisInside(int32_t start, int32_t size, int32_t low, int32_t high) {
    const int64_t end = int64_t{start} + size;
    if (int64_t{size} > int64_t{high} - low) return start == low || end == high;
    return start >= low && end <= high;
}

} // namespace

Bounds ClampIntoWorkArea(const Bounds& window, const WorkArea& workArea) {
    Bounds clamped = window;
    clamped.left = ClampAxis(window.left, window.width, workArea.left, workArea.right);
    clamped.top = ClampAxis(window.top, window.height, workArea.top, workArea.bottom);
    return clamped;
}

bool InsideWorkArea(const Bounds& window, const WorkArea& workArea) {
    return AxisInside(window.left, window.width, workArea.left, workArea.right) &&
           AxisInside(window.top, window.height, workArea.top, workArea.bottom);
}

} // namespace petarino
