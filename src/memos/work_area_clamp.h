// Keeping a memo window on the screen: after every mouse release over it and on every show
// it is pushed back inside the work area of the monitor nearest to it.
#pragma once

#include "memos/memo_geometry.h"

namespace petarino {

// Each axis is corrected at most once, the left or top edge first, and the size never
// changes: a window wider than the work area gets its left edge on the work area's left
// edge now, and its right edge on the right edge at the next call.
Bounds ClampIntoWorkArea(const Bounds& window, const WorkArea& workArea);

} // namespace petarino
