// Rectangles of a memo window in the two forms the window system hands them out.
#pragma once

#include "platform/window_system.h"

#include <cstdint>

namespace petarino {

// By origin and size: a window's bounds, a control's place in its parent.
struct Bounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// By its edges: a monitor's work area, as the window system hands out the monitors.
using WorkArea = platform::WorkArea;

} // namespace petarino
