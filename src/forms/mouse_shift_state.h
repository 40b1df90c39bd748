// The keys and buttons held during a mouse event, as the core compares them.
#pragma once

#include "platform/shift_state.h"

#include <windows.h>

namespace petarino::forms {

// From a mouse message's key flags; Alt is not among them and is read from the keyboard.
platform::ShiftState MouseShiftState(WPARAM keys);

} // namespace petarino::forms
