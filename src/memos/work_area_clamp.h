// Keeping a memo window on the screen: after every mouse release over it and on every show
// it is pushed back inside the work area of the monitor nearest to it.
#pragma once

#include "memos/memo_geometry.h"

namespace petarino {

// Each axis is corrected at most once, the left or top edge first, and the size never
// changes: a window wider than the work area gets its left edge on the work area's left
// edge now, and its right edge on the right edge at the next call.
Bounds ClampIntoWorkArea(const Bounds& window, const WorkArea& workArea);
// Where the clamp puts a window: within the work area on each axis where it fits; on an axis
// where it does not, with either of its edges on the work area's, the two places the clamp
// takes it to in turn. Whatever else keeps windows on the screen leaves them there, or the
// two would move a wide window back and forth.
bool InsideWorkArea(const Bounds& window, const WorkArea& workArea);

} // namespace petarino
