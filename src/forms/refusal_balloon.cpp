#include "forms/refusal_balloon.h"

#include "platform/win32/cp932_win32.h"

#include <commctrl.h>
#include <string>

namespace petarino::forms {
namespace {

// The balloon's one tool, placed where the balloon is told.
TOOLINFOW ToolOf(HWND balloon, wchar_t* text) {
    return {.cbSize = sizeof(TOOLINFOW),
            .uFlags = TTF_TRACK | TTF_ABSOLUTE,
            .hwnd = GetWindow(balloon, GW_OWNER),
            .uId = 0,
            .lpszText = text};
}

} // namespace

HWND CreateRefusalBalloon(HWND owner) {
    const HWND balloon = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                         WS_POPUP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    wchar_t none[] = L"";
    TOOLINFOW tool = ToolOf(balloon, none);
    SendMessageW(balloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return balloon;
}

void ShowRefusal(HWND balloon, HWND control, std::string_view text) {
    std::wstring wide = win32::ToWide(text);
    TOOLINFOW tool = ToolOf(balloon, wide.data());
    SendMessageW(balloon, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT bounds{};
    GetWindowRect(control, &bounds);
    SendMessageW(balloon, TTM_TRACKPOSITION, 0,
                 MAKELPARAM((bounds.left + bounds.right) / 2, bounds.bottom));
    SendMessageW(balloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void HideRefusal(HWND balloon) {
    TOOLINFOW tool = ToolOf(balloon, nullptr);
    SendMessageW(balloon, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void HideRefusalOnLeaving(HWND balloon, UINT message) {
    if (message == WM_KILLFOCUS && balloon) HideRefusal(balloon);
}

} // namespace petarino::forms
