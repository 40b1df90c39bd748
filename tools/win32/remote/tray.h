// The notification icon and pop-up menus of another program, driven as a user's clicks
// reach them.
#pragma once

#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace petarino::remote {

// The message the program asked the shell to send its icon's mouse events with.
inline constexpr UINT kTrayCallback = WM_USER + 101;

// A mouse event on the icon (WM_LBUTTONUP, WM_RBUTTONUP, ...) as the shell reports it.
void PostTrayEvent(HWND iconOwner, UINT mouseMessage);
// Chooses the item with the mnemonic in the pop-up menu that the process opens within the
// time; false when no menu opened or it stayed open.
bool ChooseMenuItem(DWORD processId, wchar_t mnemonic, unsigned long timeoutMs);
// Opens the submenu with the mnemonic and chooses its last item, as the keys do it: the
// mnemonic, End, then Enter's character. A mnemonic that two items of the submenu share would
// choose the first of them under Wine (Windows moves between them), so the item is reached by
// place.
bool ChooseLastOfSubmenu(DWORD processId, wchar_t submenu, unsigned long timeoutMs);
// Opens the submenu with the mnemonic and chooses its item at the place counted from 0, for
// items without a mnemonic: Home, Down as often as the place, then Enter's character.
bool ChooseInSubmenu(DWORD processId, wchar_t submenu, int place, unsigned long timeoutMs);
// Opens the submenu with the mnemonic and chooses its item with the other mnemonic.
bool ChooseFromSubmenu(DWORD processId, wchar_t submenu, wchar_t item, unsigned long timeoutMs);
// The icons shown in Wine's own tray window (the desktop has no taskbar under a bare X
// server); each passes the mouse events it gets to its owner.
std::vector<HWND> WineTrayIcons();

// The text of the balloon that Wine's own tray shows from one of its icons, nullopt while none
// shows: a balloon tooltip owned by the tray window, which answers WM_GETTEXT with its text.
// Its stem points at the icon; one tray shows one balloon at a time.
std::optional<std::wstring> WineTrayBalloon();

} // namespace petarino::remote
