#include "forms/mouse_shift_state.h"

namespace petarino::forms {

platform::ShiftState MouseShiftState(WPARAM keys) {
    using platform::ShiftState;
    ShiftState shift;
    if (keys & MK_SHIFT) shift.Add(ShiftState::Shift);
    if (keys & MK_CONTROL) shift.Add(ShiftState::Ctrl);
    if (keys & MK_LBUTTON) shift.Add(ShiftState::Left);
    if (keys & MK_RBUTTON) shift.Add(ShiftState::Right);
    if (keys & MK_MBUTTON) shift.Add(ShiftState::Middle);
    if (GetKeyState(VK_MENU) < 0) shift.Add(ShiftState::Alt);
    return shift;
}

} // namespace petarino::forms
