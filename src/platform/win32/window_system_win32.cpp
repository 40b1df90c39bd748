#include "platform/win32/window_system_win32.h"

#include "platform/win32/common_controls.h"
#include "platform/win32/cp932_win32.h"

#include <commctrl.h>

namespace petarino::win32 {
namespace {

void ApplyDelay(HWND tooltips, int milliseconds) {
    SendMessageW(tooltips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(milliseconds, 0));
}

BOOL CALLBACK ApplyDelayToTooltips(HWND window, LPARAM milliseconds) {
    wchar_t className[32];
    if (GetClassNameW(window, className, 32) && lstrcmpiW(className, TOOLTIPS_CLASSW) == 0)
        ApplyDelay(window, static_cast<int>(milliseconds));
    return TRUE;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM workAreas) {
    MONITORINFO info{.cbSize = sizeof info};
    // A monitor unplugged while the list is made is simply left out.
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<platform::WorkArea>*>(workAreas)->push_back(
            {work.left, work.top, work.right, work.bottom});
    }
    return TRUE;
}

} // namespace

int Win32WindowSystem::ShowMessageBox(std::string_view text, std::string_view caption,
                                      uint32_t style) {
    return MessageBoxW(owner_, ToWide(text).c_str(), ToWide(caption).c_str(), style);
}

int Win32WindowSystem::ShowMessageBox(std::u16string_view text, std::string_view caption,
                                      uint32_t style) {
    const std::wstring wide(text.begin(), text.end());
    return MessageBoxW(owner_, wide.c_str(), ToWide(caption).c_str(), style);
}

void Win32WindowSystem::SetTooltipDelay(int milliseconds) {
    tooltipDelay_ = milliseconds;
    // Tooltip controls are top-level windows of this thread.
    EnumThreadWindows(GetCurrentThreadId(), ApplyDelayToTooltips, milliseconds);
}

std::vector<platform::WorkArea> Win32WindowSystem::MonitorWorkAreas() const {
    std::vector<platform::WorkArea> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    return workAreas;
}

HWND CreateTooltips(HWND window, const platform::WindowSystem& windows) {
    LoadCommonControls(ICC_WIN95_CLASSES);
    HWND tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    if (tooltips) ApplyDelay(tooltips, windows.TooltipDelay());
    return tooltips;
}

} // namespace petarino::win32
