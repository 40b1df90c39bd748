#include "tray.h"

#include "deadline.h"
#include "window_search.h"

namespace petarino::remote {
namespace {

// The icon id the program adds its only icon with.
constexpr WPARAM kIconId = 1;

HWND VisibleMenu(DWORD processId) {
    for (HWND menu : TopLevelWindows(L"#32768", processId))
        if (IsWindowVisible(menu)) return menu;
    return nullptr;
}

} // namespace

void PostTrayEvent(HWND iconOwner, UINT mouseMessage) {
    PostMessageW(iconOwner, kTrayCallback, kIconId, static_cast<LPARAM>(mouseMessage));
}

bool ChooseMenuItem(DWORD processId, wchar_t mnemonic, unsigned long timeoutMs) {
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = VisibleMenu(processId)) != nullptr; }, timeoutMs))
        return false;
    PostMessageW(menu, WM_CHAR, mnemonic, 0);
    return WaitFor([&] { return VisibleMenu(processId) == nullptr; }, timeoutMs);
}

std::vector<HWND> WineTrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : TopLevelWindows(L"__winex11_standalone_tray"))
        for (HWND icon : ChildWindows(tray, L"__winex11_tray_icon"))
            icons.push_back(icon);
    return icons;
}

} // namespace petarino::remote
