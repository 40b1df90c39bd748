// Rectangles of a memo window in the two forms the window system hands them out.
#pragma once

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

// By its edges, right and bottom excluded: a monitor's work area.
struct WorkArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const WorkArea&, const WorkArea&) = default;
};

} // namespace petarino
