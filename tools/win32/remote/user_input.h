// The keyboard and the mouse as the user works them: input the system delivers to whatever
// window is in front, exactly as typed or clicked.
#pragma once

#include <windows.h>
#include <initializer_list>

namespace petarino::remote {

// Presses the keys in order and lets them go in reverse: {VK_CONTROL, 'M'} is Ctrl+M.
void Press(std::initializer_list<WORD> keys);
// A left click at the point on the screen, with the keys held: {VK_CONTROL} is a Ctrl+click.
void ClickAt(POINT at, std::initializer_list<WORD> keys = {});
// A left click in the middle of the window.
void ClickInto(HWND window);

} // namespace petarino::remote
