// MainPop, the menu of the notification icon, and the box of its item "ﾊﾞｰｼﾞｮﾝ情報".
#pragma once

#include "platform/window_system.h"

#include <windows.h>

namespace petarino::forms {

// The menu with its top-left corner at the point (screen coordinates); a chosen item arrives
// at the window as WM_COMMAND with its DouguFormCommand.
void PopUpMainPop(HWND window, POINT at);
// The menu where the pointer is, the window brought to the foreground for it.
void ShowMainPop(HWND window);
void ShowVersion(platform::WindowSystem& windows);

} // namespace petarino::forms
