// Finding another program's windows and reading them, as any other program on the desktop
// can: by class, by process and through messages that the system carries across processes.
#pragma once

#include <windows.h>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::remote {

// The top-level windows of the class, hidden ones included; of one process unless
// processId is 0.
std::vector<HWND> TopLevelWindows(std::wstring_view className, DWORD processId = 0);
// The first such window that exists within the time, nullptr otherwise.
HWND WaitForTopLevelWindow(std::wstring_view className, DWORD processId, unsigned long timeoutMs);
// The first such window shown within the time (a dialog made once and shown again exists
// before it opens), nullptr otherwise.
HWND WaitForShownWindow(std::wstring_view className, DWORD processId, unsigned long timeoutMs);

// Every window below the parent, at any depth, of the class.
std::vector<HWND> ChildWindows(HWND parent, std::wstring_view className);
// The child of the class whose text is exactly the text; nullptr when there is none.
HWND ChildWithText(HWND parent, std::wstring_view className, std::wstring_view text);

std::wstring ClassOf(HWND window);
// The window's text through WM_GETTEXT, which also answers for controls of another process.
std::wstring TextOf(HWND window);
DWORD ProcessOf(HWND window);
// The rows of a list box, top first.
std::vector<std::wstring> ListRows(HWND list);
// Whether the control has the keyboard focus of its program.
bool HasFocus(HWND control);
RECT BoundsOf(HWND window);

// A message sent with a time limit, so a program that hangs cannot hang the caller.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

} // namespace petarino::remote
