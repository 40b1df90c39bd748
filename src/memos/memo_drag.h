// Moving a memo with the mouse: where a button went down is remembered, and a move with
// the right keys and buttons held carries the window so the grabbed point stays under the
// pointer. Coordinates are client pixels of the control that raised the event.
#pragma once

#include "memos/memo.h"
#include "platform/shift_state.h"

#include <cstdint>

namespace petarino {

enum class DragSender {
    Window,   // the window's own client area: the title strip
    TextArea, // the text area inside it
};

// The strip moves with the left button whatever else is held; the text only with exactly
// Ctrl and the left button, so Shift or Alt with them still select text.
bool MovesMemo(DragSender sender, platform::ShiftState shift);

// MemoMouseDown: any button, either sender.
void MemoMouseDown(Memo& memo, int32_t x, int32_t y);
// MemoMouseMove: true when the memo moved (the text area then does not select).
bool MemoMouseMove(Memo& memo, DragSender sender, platform::ShiftState shift, int32_t x, int32_t y);

} // namespace petarino
