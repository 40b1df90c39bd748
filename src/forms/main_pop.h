// MainPop, the menu of the notification icon.
#pragma once

#include <windows.h>

namespace petarino::forms {

// The menu with its top-left corner at the point (screen coordinates); a chosen item arrives
// at the window as WM_COMMAND with its DouguFormCommand.
void PopUpMainPop(HWND window, POINT at);

} // namespace petarino::forms
