#include "forms/mouse_shift_state.h"

namespace petarino::forms {

platform::ShiftState MouseShiftState(WPARAM keys) {
    using Key = platform::ShiftState::Key;
    platform::ShiftState state;
    const auto add = [&state](bool held, Key key) {
        if (held) state = state.With(key);
    };
    add(keys & MK_SHIFT, Key::Shift);
    add(GetKeyState(VK_MENU) < 0, Key::Alt);
    add(keys & MK_CONTROL, Key::Ctrl);
    add(keys & MK_LBUTTON, Key::Left);
    add(keys & MK_RBUTTON, Key::Right);
    add(keys & MK_MBUTTON, Key::Middle);
    return state;
}

} // namespace petarino::forms
