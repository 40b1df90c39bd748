// Where a running Petarino's windows are: the properties window (the single-instance marker
// and owner of the notification icon), the hidden application window that owns it, and the
// memo windows with their text areas.
#pragma once

#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::remote {

inline constexpr wchar_t kPropertiesClass[] = L"TDouguForm";
inline constexpr wchar_t kMemoClass[] = L"TMemoForm";

// The properties window of the process once it exists, nullptr when it did not appear in
// time.
HWND WaitForPropertiesWindow(DWORD processId, unsigned long timeoutMs);
// The application's hidden window, which owns every other window of the program.
HWND ApplicationWindowOf(HWND propertiesWindow);
std::vector<HWND> MemoWindows(DWORD processId);
std::vector<HWND> VisibleMemoWindows(DWORD processId);
// The memo's text area: its edit control.
HWND TextAreaOf(HWND memoWindow);
// What every memo of the process shows in its text area, hidden memos too.
std::vector<std::wstring> MemoTexts(DWORD processId);
// The memo whose text area shows exactly the text; nullptr when none does.
HWND MemoShowing(DWORD processId, std::wstring_view text);
// The alpha of a layered window, -1 when it has none; nullopt for a plain window.
std::optional<int> AlphaOf(HWND window);

// The running time that the properties window shows from its first tick on, in seconds; -1
// before that tick.
int ShownRunningSeconds(HWND propertiesWindow);

} // namespace petarino::remote
