// A balloon pointing at a control, saying why what the user typed there was not taken. No
// message box: one opened while the user still holds a combination of keys would take the
// keys' releases from the control.
#pragma once

#include <windows.h>
#include <string_view>

namespace petarino::forms {

// Owned by the window, and gone with it.
HWND CreateRefusalBalloon(HWND owner);
// Below the control, until hidden: the control losing the keyboard hides it (see
// HideRefusalOnLeaving).
void ShowRefusal(HWND balloon, HWND control, std::string_view text);
void HideRefusal(HWND balloon);
// For the control's own procedure: the message that makes the balloon go.
void HideRefusalOnLeaving(HWND balloon, UINT message);

} // namespace petarino::forms
