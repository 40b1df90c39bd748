#include "memos/memo_drag.h"

#include <algorithm>
#include <limits>

namespace petarino {
namespace {

// Saturated: a position from a damaged store may lie anywhere in 32 bits.
int32_t Follow(int32_t origin, int32_t pointer, int32_t grabbed) {
    using Limits = std::numeric_limits<int32_t>;
    const int64_t moved = int64_t{origin} + pointer - grabbed;
    return static_cast<int32_t>(std::clamp<int64_t>(moved, Limits::min(), Limits::max()));
}

} // namespace

using platform::ShiftState;

bool MovesMemo(DragSender sender, ShiftState shift) {
    switch (sender) {
    case DragSender::Window: return shift.Has(ShiftState::Left);
    case DragSender::TextArea: return shift == ShiftState{ShiftState::Ctrl, ShiftState::Left};
    }
    return false;
}

void MemoMouseDown(Memo& memo, int32_t x, int32_t y) {
    memo.SetDrag(x, y);
}

bool MemoMouseMove(Memo& memo, DragSender sender, ShiftState shift, int32_t x, int32_t y) {
    if (!MovesMemo(sender, shift)) return false;
    memo.SetBounds(Follow(memo.Left(), x, memo.DragX()), Follow(memo.Top(), y, memo.DragY()),
                   memo.Width(), memo.Height());
    return true;
}

} // namespace petarino
